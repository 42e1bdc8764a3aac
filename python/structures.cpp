// Reading Python objects into the library's lattices and partial lattices; the checks and the
// refusals are the library's (named/named_lattice.h), std::invalid_argument reaching Python as
// ValueError.
#include "structures.h"

#include <stdexcept>

#include "lattice/term_reader.h"

namespace mirelkon {

namespace {

// The numbers of the elements of a pair or a triple: `count` elements, each known already or,
// with `add`, numbered now.
std::vector<int> Numbers(Elements& elements, py::handle group, std::size_t count, bool add,
                         const char* what) {
  const py::sequence items = py::reinterpret_borrow<py::sequence>(group);
  if (!py::isinstance<py::sequence>(group) || py::isinstance<py::str>(group) ||
      items.size() != count)
    throw std::invalid_argument(std::string(what) + " must be a tuple of " + std::to_string(count) +
                                " elements, not " + py::repr(group).cast<std::string>());
  std::vector<int> numbers;
  for (py::handle item : items) numbers.push_back(add ? elements.Add(item) : elements.Number(item));
  return numbers;
}

std::vector<ElementPair> Pairs(Elements& elements, const py::iterable& pairs, bool add) {
  std::vector<ElementPair> numbered;
  for (py::handle pair : pairs) {
    const std::vector<int> xy = Numbers(elements, pair, 2, add, "a cover pair");
    numbered.push_back({xy[0], xy[1]});
  }
  return numbered;
}

void AddEquations(Elements& elements, const py::iterable& triples, char operation,
                  std::vector<Equation>& equations) {
  for (py::handle triple : triples) {
    const std::vector<int> xyz = Numbers(elements, triple, 3, false, "an equation");
    equations.push_back({static_cast<std::uint8_t>(xyz[0]), static_cast<std::uint8_t>(xyz[1]),
                         static_cast<std::uint8_t>(xyz[2]), operation});
  }
}

// The element below (above) every element of the order; -1 when there is none.
int Bound(const Order& order, bool top) {
  for (int x = 0; x < order.size; ++x)
    if ((top ? order.BelowOf(x) : order.above[x]) == FirstElements(order.size)) return x;
  return -1;
}

}  // namespace

int Elements::Add(py::handle object) {
  if (numbers_.contains(object)) return numbers_[object].cast<int>();
  const int x = Size();
  numbers_[object] = x;
  objects_.append(object);
  return x;
}

int Elements::Number(py::handle object) const {
  if (!numbers_.contains(object))
    throw std::invalid_argument("unknown element " + py::repr(object).cast<std::string>());
  return numbers_[object].cast<int>();
}

std::vector<std::string> Elements::Names() const {
  std::vector<std::string> names;
  for (py::handle object : objects_) names.push_back(py::str(object).cast<std::string>());
  return names;
}

py::frozenset Elements::SetOf(Mask set) const {
  py::list members;
  for (Mask m = set; m != 0; m &= m - 1) members.append(objects_[Lowest(m)]);
  return py::frozenset(members);
}

Mask Structure::Required(const py::iterable& containing, bool bounded) const {
  Mask required = 0;
  for (py::handle x : containing) required |= Bit(elements.Number(x));
  if (!bounded) return required;
  if (counted->bottom < 0 || counted->top < 0)
    throw std::invalid_argument(std::string("no single ") +
                                (counted->bottom < 0 ? "bottom" : "top"));
  return required | Bit(counted->bottom) | Bit(counted->top);
}

PyLattice PyLattice::Of(Elements elements, NamedLattice named) {
  PyLattice lattice;
  lattice.elements = std::move(elements);
  lattice.counted = std::make_shared<const Counted>(
      Counted{Problem(named.order, named.equations), named.bottom, named.top});
  lattice.lattice = std::make_shared<const NamedLattice>(std::move(named));
  return lattice;
}

PyLattice PyLattice::FromPairs(Elements elements, const std::vector<ElementPair>& pairs) {
  NamedLattice named = LatticeFromPairs(elements.Names(), pairs);
  return Of(std::move(elements), std::move(named));
}

PyLattice PyLattice::FromCovers(const py::iterable& pairs, const py::object& listed) {
  Elements elements;
  if (!listed.is_none())
    for (py::handle x : py::iterable(listed)) elements.Add(x);
  const std::vector<ElementPair> numbered = Pairs(elements, pairs, listed.is_none());
  return FromPairs(std::move(elements), numbered);
}

PyLattice PyLattice::FromObject(const py::object& object) {
  Elements elements;
  std::vector<ElementPair> pairs;
  if (py::hasattr(object, "cover_relations") && py::hasattr(object, "list")) {
    for (py::handle x : object.attr("list")()) elements.Add(x);
    pairs = Pairs(elements, object.attr("cover_relations")(), false);
  } else if (py::hasattr(object, "nodes") && py::hasattr(object, "edges")) {
    for (py::handle x : object.attr("nodes")) elements.Add(x);
    pairs = Pairs(elements, object.attr("edges"), false);
  } else if (py::isinstance<py::dict>(object)) {
    for (auto [x, uppers] : object.cast<py::dict>()) {
      const int lower = elements.Add(x);
      for (py::handle upper : py::iterable(py::reinterpret_borrow<py::object>(uppers)))
        pairs.push_back({lower, elements.Add(upper)});
    }
  } else {
    throw py::type_error(
        "a Lattice is made from a dict of upper covers, an object with cover_relations() and "
        "list() (a SageMath lattice), or a DiGraph of the order; not " +
        py::repr(object.get_type()).cast<std::string>());
  }
  return FromPairs(std::move(elements), pairs);
}

PyLattice PyLattice::Make(const std::string& term) {
  const std::vector<std::string> words = TermWords({term});
  if (words.empty()) throw std::invalid_argument("the term names no lattice");
  LatticeFactor made;
  try {
    made = ReadTerm(words);
  } catch (const TermError& error) {
    throw std::invalid_argument(error.message);
  } catch (const LatticeTooLarge&) {
    throw std::invalid_argument(TermName(words) + " has more than " + std::to_string(maxElements) +
                                " elements, the most a lattice may have");
  }
  Elements elements;
  for (const std::string& name : made.names) elements.Add(py::str(name));
  return Of(std::move(elements), LatticeFromOrder(made.names, NarrowOrder(made.order)));
}

PyLattice PyLattice::FromOrder(const Order& order) {
  std::vector<ElementPair> pairs;
  for (int x = 0; x < order.size; ++x)
    for (int y = 0; y < order.size; ++y)
      if (order.Covers(x, y)) pairs.push_back({x, y});
  Elements elements;
  for (int x = 0; x < order.size; ++x) elements.Add(py::int_(x));
  return FromPairs(std::move(elements), pairs);
}

py::list PyLattice::Covers() const {
  py::list covers;
  const Order& order = lattice->order;
  for (int x = 0; x < order.size; ++x)
    for (int y = 0; y < order.size; ++y)
      if (order.Covers(x, y)) covers.append(py::make_tuple(elements.Object(x), elements.Object(y)));
  return covers;
}

py::object PyLattice::Join(py::handle x, py::handle y) const {
  return elements.Object(lattice->tables.join[elements.Number(x)][elements.Number(y)]);
}

py::object PyLattice::Meet(py::handle x, py::handle y) const {
  return elements.Object(lattice->tables.meet[elements.Number(x)][elements.Number(y)]);
}

PyPartialLattice::PyPartialLattice(const py::iterable& listed, const py::iterable& covers,
                                   const py::iterable& joins, const py::iterable& meets,
                                   const py::object& operations) {
  for (py::handle x : listed) elements.Add(x);
  const std::vector<ElementPair> pairs = Pairs(elements, covers, false);
  std::vector<Equation> equations;
  AddEquations(elements, joins, joinSymbol, equations);
  AddEquations(elements, meets, meetSymbol, equations);
  std::string further;
  if (!operations.is_none())
    for (auto [symbol, triples] : operations.cast<py::dict>()) {
      const std::string text = py::str(symbol).cast<std::string>();
      if (!py::isinstance<py::str>(symbol) || text.size() != 1)
        throw std::invalid_argument("an operation is named by one character, not " +
                                    py::repr(symbol).cast<std::string>());
      further += text;
      AddEquations(elements, py::reinterpret_borrow<py::iterable>(triples), text[0], equations);
    }
  auto named = std::make_shared<const NamedPartialLattice>(
      PartialLatticeFromPairs(elements.Names(), pairs, std::move(equations), further));
  const Order& order = named->lattice.order;
  counted = std::make_shared<const Counted>(
      Counted{Problem(order, named->derivation.table), Bound(order, false), Bound(order, true)});
  partial = std::move(named);
}

py::list PyPartialLattice::Derived() const {
  py::list derived;
  const Derivation& derivation = partial->derivation;
  for (std::size_t k = derivation.typedCount; k < derivation.table.size(); ++k) {
    const Equation& e = derivation.table[k];
    derived.append(py::make_tuple(elements.Object(e.left), std::string(1, e.operation),
                                  elements.Object(e.right), elements.Object(e.result)));
  }
  return derived;
}

}  // namespace mirelkon
