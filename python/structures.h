// The Python objects Lattice and PartialLattice (PyLattice and PyPartialLattice here): the elements
// as the caller's own Python objects (names, numbers, SageMath elements), numbered in the order
// given, and what the library built from them. The counting functions share one view of both
// (Structure).
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <vector>

#include "core/bits.h"
#include "core/equation.h"
#include "core/order.h"
#include "named/named_lattice.h"

namespace mirelkon {

namespace py = pybind11;

// The elements as Python objects and their numbers.
class Elements {
 public:
  // Numbers an object not seen yet; answers the object's number.
  int Add(py::handle object);
  // The number of an element; ValueError for anything else.
  int Number(py::handle object) const;
  py::object Object(int x) const { return objects_[x]; }
  int Size() const { return static_cast<int>(py::len(objects_)); }
  // The elements as the library's refusals name them: str() of each.
  std::vector<std::string> Names() const;
  py::list List() const { return py::list(objects_); }
  // The set of the elements of a mask.
  py::frozenset SetOf(Mask set) const;

 private:
  py::list objects_;
  py::dict numbers_;
};

// What the counting functions read, shared with the worker threads that count: the order, the
// equations that every closed subset obeys, and the bounds of the order where it has them.
struct Counted {
  Order order;
  std::vector<Equation> equations;
  int bottom = -1, top = -1;  // -1: none
};

struct Structure {
  Elements elements;
  std::shared_ptr<const Counted> counted;

  // The elements of `containing`, with the bottom and the top when `bounded`.
  Mask Required(const py::iterable& containing, bool bounded) const;
};

struct PyLattice : Structure {
  std::shared_ptr<const NamedLattice> lattice;

  // The elements and the lattice the library built of them.
  static PyLattice Of(Elements elements, NamedLattice named);
  // The elements first, in their order, then the pairs lower < upper that generate the order.
  static PyLattice FromPairs(Elements elements, const std::vector<ElementPair>& pairs);
  // Pairs of elements, which are numbered in the order they first occur, or as `elements` lists.
  static PyLattice FromCovers(const py::iterable& pairs, const py::object& elements);
  // A dict of upper covers, a SageMath poset (cover_relations() and list()), or a
  // networkx-style DiGraph of the order (nodes and edges).
  static PyLattice FromObject(const py::object& object);
  // The lattice of a term of mirelkon-lattice make.
  static PyLattice Make(const std::string& term);
  // A lattice the library built, its elements the numbers 0..n-1.
  static PyLattice FromOrder(const Order& order);

  py::list Covers() const;
  py::object Join(py::handle x, py::handle y) const;
  py::object Meet(py::handle x, py::handle y) const;
};

struct PyPartialLattice : Structure {
  std::shared_ptr<const NamedPartialLattice> partial;

  PyPartialLattice(const py::iterable& elements, const py::iterable& covers,
                   const py::iterable& joins, const py::iterable& meets,
                   const py::object& operations);

  // The equations the derivation added, as (x, symbol, y, z) for x symbol y = z.
  py::list Derived() const;
};

}  // namespace mirelkon
