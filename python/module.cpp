// The Python module mirelkon: lattices and partial lattices, and the library's questions on
// them (the count of the closed subsets, by size, through given elements, up to symmetry,
// their list), every lattice of n elements and the survey of their sublattice counts. Counts
// come as exact Python ints; the work runs without the GIL and stops on Ctrl-C.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/closed_set_lister.h"
#include "core/count.h"
#include "core/symmetry.h"
#include "counter_pool.h"
#include "draw/hasse_drawing.h"
#include "generate/lattice_generator.h"
#include "generate/sublattice_counter.h"
#include "generate/survey_tally.h"
#include "interruptible.h"
#include "structures.h"

using namespace mirelkon;

namespace {

CounterPool counters;

// Exact however large: through the library's decimal text.
py::int_ IntOf(const std::string& decimal) {
  return py::reinterpret_steal<py::int_>(PyLong_FromString(decimal.c_str(), nullptr, 10));
}

py::int_ IntOf(SubsetCount count) {
  return IntOf(DecimalText(count));
}

py::int_ Count(const Structure& s, const py::iterable& containing, bool bounded) {
  const Mask required = s.Required(containing, bounded);
  return IntOf(RunInterruptibly([counted = s.counted, required](std::stop_token stop) {
    const CounterPool::Lease counter = counters.Borrow(std::move(stop));
    return required == 0 ? CountSubuniverses(*counter, counted->order, counted->equations)
                         : CountSubuniversesHolding(*counter, counted->order.size,
                                                    counted->equations, required);
  }));
}

py::list Profile(const Structure& s, const py::iterable& containing, bool bounded) {
  const Mask required = s.Required(containing, bounded);
  py::list bySize;
  for (std::uint64_t count :
       RunInterruptibly([counted = s.counted, required](std::stop_token stop) {
         const CounterPool::Lease counter = counters.Borrow(std::move(stop));
         return CountSubuniversesBySize(*counter, counted->order, counted->equations, required);
       }))
    bySize.append(py::int_(count));
  return bySize;
}

py::tuple UpToSymmetry(const Structure& s, const py::iterable& containing, bool bounded) {
  const Mask required = s.Required(containing, bounded);
  const SymmetryCount symmetry =
      RunInterruptibly([counted = s.counted, required](std::stop_token stop) {
        const CounterPool::Lease counter = counters.Borrow(std::move(stop));
        return CountUpToSymmetry(*counter, counted->order, counted->equations, required);
      });
  return py::make_tuple(IntOf(symmetry.automorphisms),
                        symmetry.orbits ? py::object(IntOf(*symmetry.orbits)) : py::none());
}

struct SublatticeIterator {
  Elements elements;
  std::unique_ptr<Stream<Mask>> stream;

  py::frozenset Next() {
    const std::optional<Mask> set = stream->Next();
    if (!set) throw py::stop_iteration();
    return elements.SetOf(*set);
  }
};

SublatticeIterator Sublattices(const Structure& s, const py::iterable& containing, bool bounded,
                               std::optional<std::uint64_t> limit) {
  const Mask required = s.Required(containing, bounded);
  auto list = [counted = s.counted, required, limit](const Stream<Mask>::Emit& emit,
                                                     std::stop_token) {
    std::uint64_t listed = 0;
    ListClosedSets(counted->order.size, RulesOf(counted->equations), required,
                   [&](Mask set) { return (!limit || listed++ < *limit) && emit(set); });
  };
  return {s.elements, std::make_unique<Stream<Mask>>(list)};
}

// A generation's plan from the size and the part (k, m), part k of m numbered from 1.
GenerationPlan PlanOf(int n, const std::optional<std::pair<int, int>>& part) {
  if (n < 1 || n > maxGeneratedSize)
    throw std::invalid_argument("the lattices are generated for 1 to " +
                                std::to_string(maxGeneratedSize) + " elements, not " +
                                std::to_string(n));
  const auto [k, m] = part.value_or(std::pair{1, 1});
  if (k < 1 || k > m)
    throw std::invalid_argument("part (k, m) is part k of m, 1 <= k <= m; not (" +
                                std::to_string(k) + ", " + std::to_string(m) + ")");
  return PlanGeneration(n, k - 1, m, 1);
}

struct LatticeIterator {
  std::unique_ptr<Stream<GeneratedLattice>> stream;

  PyLattice Next() {
    const std::optional<GeneratedLattice> lattice = stream->Next();
    if (!lattice) throw py::stop_iteration();
    return PyLattice::FromOrder(lattice->AsOrder());
  }
};

// The end of a walk whose reader went away.
struct GivenUp {};

LatticeIterator Lattices(int n, const std::optional<std::pair<int, int>>& part) {
  auto walk = [plan = PlanOf(n, part)](const Stream<GeneratedLattice>::Emit& emit,
                                       std::stop_token) {
    LatticeGenerator generator(plan);
    try {
      generator.Run([&](const GeneratedLattice& lattice) {
        if (!emit(lattice)) throw GivenUp{};
      });
    } catch (const GivenUp&) {
    }
  };
  return {std::make_unique<Stream<GeneratedLattice>>(walk)};
}

py::dict Survey(int n, int top, const std::optional<std::pair<int, int>>& part) {
  if (top < 0) throw std::invalid_argument("top must not be negative");
  const GenerationPlan plan = PlanOf(n, part);
  SurveySettings settings;
  settings.size = n;
  settings.top = top;
  const SurveyTally tally = RunInterruptibly([&](std::stop_token stop) {
    SurveyTally found(settings);
    SublatticeCounter counter;
    LatticeGenerator(plan).Run([&](const GeneratedLattice& lattice) {
      if (stop.stop_requested()) throw CountStopped{};
      found.Add(counter.Count(lattice), lattice);
    });
    return found;
  });
  py::dict survey;
  survey["n"] = n;
  survey["lattices"] = py::int_(tally.Lattices());
  survey["top"] = top;
  if (plan.parts > 1)
    survey["part"] = std::to_string(plan.part + 1) + "/" + std::to_string(plan.parts);
  py::dict distribution;
  for (const auto& [sublattices, lattices] : tally.Distribution())
    distribution[py::int_(sublattices)] = py::int_(lattices);
  survey["distribution"] = distribution;
  py::list ranked;
  int rank = 0;
  for (const RankedLattice& lattice : tally.Top()) {
    py::list covers;
    for (const CoverPair& pair : lattice.covers)
      covers.append(py::make_tuple(pair.lower, pair.upper));
    py::dict entry;
    entry["rank"] = ++rank;
    entry["sub"] = py::int_(lattice.sublattices);
    entry["covers"] = covers;
    ranked.append(entry);
  }
  survey["ranked"] = ranked;
  return survey;
}

const char* const moduleDoc =
    R"doc(Counting the sublattices of finite lattices, and the subuniverses of partial lattices.

A Lattice is built from its cover pairs, a dict of upper covers, a term such as "C4 ^ 3",
a SageMath lattice or a networkx DiGraph; its elements are the Python objects given. The
functions count its sublattices (the empty one included) exactly, as Python ints, by size,
through given elements and up to its automorphisms, or list them. A PartialLattice is
given by its order and some of its joins, meets and further operations; the equations
that follow in every lattice are derived, and its subuniverses counted.

Long counts release the GIL, so threads count side by side, and stop on Ctrl-C.
Bad input raises ValueError with the reason.)doc";

}  // namespace

// The Hasse diagram of a lattice, its elements labelled by str() of each. Graphviz draws one
// diagram at a time, which the GIL, held here, ensures.
py::object DrawLattice(const PyLattice& lattice, const py::iterable& highlight,
                       const std::string& format) {
  const std::optional<DrawingFormat> chosen = FormatOfFileName("diagram." + format);
  if (!chosen) throw std::invalid_argument("format must be svg, png, pdf or dot, not " + format);
  const OrderDrawing drawing{
      lattice.counted->order, lattice.elements.Names(), lattice.Required(highlight, false), {}};
  std::string bytes;
  try {
    bytes = DrawOrders({drawing}, *chosen);
  } catch (const DrawingFailure& failure) {
    throw std::runtime_error(failure.text);
  }
  if (*chosen == DrawingFormat::png || *chosen == DrawingFormat::pdf) return py::bytes(bytes);
  return py::str(bytes);
}

PYBIND11_MODULE(mirelkon, m) {
  m.doc() = moduleDoc;

  py::class_<Structure>(m, "_Structure",
                        "What Lattice and PartialLattice share: elements, order, equations.")
      .def_property_readonly(
          "elements", [](const Structure& s) { return s.elements.List(); },
          "The elements, as the Python objects given, in their order.")
      .def(
          "__len__", [](const Structure& s) { return s.elements.Size(); },
          "The number of elements.");

  py::class_<PyLattice, Structure>(m, "Lattice", R"doc(A finite lattice of 1 to 64 elements.

Lattice(obj) takes a dict of upper covers ({"0": ["a", "b"], "a": ["1"], ...}), any
object with cover_relations() and list() (a SageMath LatticePoset), or a networkx-style
DiGraph of the order (its nodes and edges, transitive edges allowed). The constructors
from_covers and make take cover pairs and terms. A ValueError names the fault: a pair
without a join or a meet, a cycle, an unknown element, more than 64 elements.)doc")
      .def(py::init(&PyLattice::FromObject), py::arg("obj"))
      .def_static("from_covers", &PyLattice::FromCovers, py::arg("covers"),
                  py::arg("elements") = py::none(),
                  R"doc(The lattice of cover pairs (lower, upper).

Any pairs that generate the order will do. The elements are numbered in the order they
first occur, or as `elements` lists them (which then may name isolated ones).)doc")
      .def_static(
          "make", &PyLattice::Make, py::arg("term"),
          R"doc(A well-known lattice, or one made of them, by the term of mirelkon-lattice make.

For instance "C4" or "chain 4", "B4", "M3", "N5", "D60", "Pi4", "subspaces 2 3",
"tamari 4", "young 3 3", and the constructions "C2 x C3", "C4 ^ 3", "dual Pi4",
"C2 + B2" (glued sum), "C2 ++ C3" (ordinal sum). The elements are named as strings:
"(0,1)" in a product, "12" among the divisors.)doc")
      .def_property_readonly("covers", &PyLattice::Covers,
                             "The cover pairs (lower, upper), by the lower element's order.")
      .def_property_readonly(
          "bottom", [](const PyLattice& l) { return l.elements.Object(l.lattice->bottom); },
          "The least element.")
      .def_property_readonly(
          "top", [](const PyLattice& l) { return l.elements.Object(l.lattice->top); },
          "The greatest element.")
      .def("join", &PyLattice::Join, py::arg("x"), py::arg("y"),
           "The least upper bound of x and y.")
      .def("meet", &PyLattice::Meet, py::arg("x"), py::arg("y"),
           "The greatest lower bound of x and y.")
      .def("draw", &DrawLattice, py::arg("highlight") = py::tuple(), py::arg("format") = "svg",
           R"doc(The Hasse diagram: str for "svg" and "dot", bytes for "png" and "pdf".

The elements of `highlight` are marked, with the cover pairs among them. Needs a build
with Graphviz (libgraphviz-dev) for every format but "dot"; RuntimeError otherwise.)doc")
      .def(
          "_repr_svg_",
          [](const PyLattice& l) -> py::object {
            if (!DrawingAvailable()) return py::none();
            return DrawLattice(l, py::tuple(), "svg");
          },
          "The Hasse diagram as SVG, which notebooks show; None in a build without Graphviz.")
      .def(
          "__repr__",
          [](const PyLattice& l) {
            return "<mirelkon.Lattice of " + std::to_string(l.elements.Size()) + " elements>";
          },
          "The class and the number of elements.");

  py::class_<PyPartialLattice, Structure>(m, "PartialLattice",
                                          R"doc(A finite partial lattice of up to 64 elements.

PartialLattice(elements, covers=(), joins=(), meets=(), operations=None): the elements,
pairs (lower, upper) that generate the order, joins (x, y, z) for x + y = z, meets
(x, y, z) for x * y = z, and further partial operations as a dict from a one-character
symbol to such triples. The equations that follow in every lattice are derived at once;
a ValueError names a fault (an unknown element, a cycle, a join with two values).)doc")
      .def(py::init<const py::iterable&, const py::iterable&, const py::iterable&,
                    const py::iterable&, const py::object&>(),
           py::arg("elements"), py::arg("covers") = py::tuple(), py::arg("joins") = py::tuple(),
           py::arg("meets") = py::tuple(), py::arg("operations") = py::none())
      .def("derive", &PyPartialLattice::Derived,
           "The derived equations, as (x, symbol, y, z) for x symbol y = z, in the order found.")
      .def(
          "count", [](const PyPartialLattice& p) { return Count(p, py::tuple(), false); },
          "The number of subuniverses: the subsets closed under every equation, given and derived.")
      .def(
          "__repr__",
          [](const PyPartialLattice& p) {
            return "<mirelkon.PartialLattice of " + std::to_string(p.elements.Size()) +
                   " elements>";
          },
          "The class and the number of elements.");

  py::class_<SublatticeIterator>(m, "_SublatticeIterator",
                                 "The sublattices of a lattice, listed on a thread of their own.")
      .def(
          "__iter__", [](py::object self) { return self; }, "The iterator itself.")
      .def("__next__", &SublatticeIterator::Next, "The next sublattice, as a frozenset.");
  py::class_<LatticeIterator>(m, "_LatticeIterator",
                              "The lattices of n elements, generated on a thread of their own.")
      .def(
          "__iter__", [](py::object self) { return self; }, "The iterator itself.")
      .def("__next__", &LatticeIterator::Next, "The next lattice.");

  const auto L = py::arg("L");
  const auto containing = py::arg("containing") = py::tuple();
  const auto bounded = py::arg("bounded") = false;
  m.def("count", &Count, L, containing, bounded,
        R"doc(The number of sublattices of L, the empty one included, as an exact int.

For a PartialLattice: its subuniverses. With `containing`, only those holding these
elements; with bounded=True, only those holding the bottom and the top.)doc");
  m.def(
      "profile", &Profile, L, containing, bounded,
      R"doc(The sublattices of L by size: entry k is the number of k elements, k = 0..len(L).)doc");
  m.def(
      "count_up_to_symmetry", &UpToSymmetry, L, containing, bounded,
      R"doc((automorphisms, orbits): the order of L's automorphism group and the number of its sublattices up to them.

With `containing` or `bounded`, the sublattices holding those elements up to the
automorphisms that keep them as a set. orbits is None when the group has more than
a million elements.)doc");
  m.def("sublattices", &Sublattices, L, containing, bounded, py::arg("limit") = py::none(),
        R"doc(An iterator over the sublattices of L, as frozensets of its elements.

In the order of binary numbers with the first element the most significant digit;
at most `limit` of them.)doc");
  m.def("lattices", &Lattices, py::arg("n"), py::arg("part") = py::none(),
        R"doc(An iterator over every lattice of n elements (1 <= n <= 20), up to isomorphism.

Each is a Lattice whose elements are 0..n-1 along a linear extension, 0 the bottom.
part=(k, m) walks only part k of m (1 <= k <= m), to split the work among processes.)doc");
  m.def("survey", &Survey, py::arg("n"), py::arg("top") = 10, py::arg("part") = py::none(),
        R"doc(The survey of the lattices of n elements, as mirelkon-lattice survey --json writes it.

A dict: "n", "lattices" (their number), "top", "part" ("k/m", when given),
"distribution" (number of sublattices -> lattices with that number, most first) and
"ranked" (the `top` lattices with the most sublattices: "rank", "sub" and "covers", the
cover pairs of the elements 0..n-1).)doc");
}
