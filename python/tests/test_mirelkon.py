"""Tests of the Python module mirelkon: known counts, every way to give a lattice, the refusals,
partial lattices, the generator and the survey, threads side by side and Ctrl-C."""

import _thread
import threading
import time
import unittest
import xml.etree.ElementTree as ElementTree

import mirelkon


PENTAGON_COVERS = [("0", "a"), ("a", "c"), ("c", "1"), ("0", "b"), ("b", "1")]


class SageLikeLattice:
    """What the module reads of a SageMath LatticePoset: list() and cover_relations()."""

    def __init__(self, covers):
        self._covers = covers
        self._elements = sorted({x for pair in covers for x in pair})

    def list(self):
        return list(self._elements)

    def cover_relations(self):
        return [list(pair) for pair in self._covers]


class DiGraphLike:
    """What the module reads of a networkx DiGraph: nodes and edges."""

    def __init__(self, nodes, edges):
        self.nodes = nodes
        self.edges = edges


class KnownCounts(unittest.TestCase):
    def test_terms_with_known_numbers_of_sublattices(self):
        cases = [("C1", 2), ("C5", 2**5), ("chain 64", 2**64), ("M3", 20), ("B2", 13),
                 ("N5", 23), ("D60", 320), ("Pi4", 470), ("B4", 732), ("M62", 2**62 + 3 * 62 + 3)]
        for term, expected in cases:
            with self.subTest(term=term):
                self.assertEqual(mirelkon.count(mirelkon.Lattice.make(term)), expected)

    def test_profile_containing_bounded_and_symmetry(self):
        n5 = mirelkon.Lattice.from_covers(PENTAGON_COVERS)
        self.assertEqual(mirelkon.profile(n5), [1, 5, 8, 5, 3, 1])
        self.assertEqual(mirelkon.count(n5, bounded=True), 8)
        self.assertEqual(mirelkon.count(n5, containing=["a", "b"]), 2)
        self.assertEqual(mirelkon.profile(n5, containing=["a", "b"]), [0, 0, 0, 0, 1, 1])
        self.assertEqual(mirelkon.count_up_to_symmetry(mirelkon.Lattice.make("B3")), (6, 23))
        self.assertEqual(mirelkon.count_up_to_symmetry(mirelkon.Lattice.make("M10"))[1], None)

    def test_sublattices_are_listed_once_each_and_up_to_the_limit(self):
        b3 = mirelkon.Lattice.make("B3")
        sets = list(mirelkon.sublattices(b3))
        self.assertEqual(len(sets), mirelkon.count(b3))
        self.assertEqual(len(set(sets)), len(sets))
        self.assertIn(frozenset(), sets)
        self.assertIn(frozenset(b3.elements), sets)
        self.assertEqual(len(list(mirelkon.sublattices(b3, limit=5))), 5)
        bounded = list(mirelkon.sublattices(b3, bounded=True))
        self.assertTrue(all({b3.bottom, b3.top} <= s for s in bounded))
        self.assertEqual(len(bounded), mirelkon.count(b3, bounded=True))


class WaysToGiveALattice(unittest.TestCase):
    def assertPentagon(self, lattice):
        self.assertEqual(len(lattice), 5)
        self.assertEqual(mirelkon.count(lattice), 23)
        self.assertEqual(sorted(lattice.covers), sorted(PENTAGON_COVERS))
        self.assertEqual(lattice.join("a", "b"), "1")
        self.assertEqual(lattice.meet("c", "b"), "0")
        self.assertEqual((lattice.bottom, lattice.top), ("0", "1"))

    def test_every_form_gives_the_same_lattice(self):
        upper = {"0": ["a", "b"], "a": ["c"], "c": ["1"], "b": ["1"], "1": []}
        forms = {
            "covers": mirelkon.Lattice.from_covers(PENTAGON_COVERS),
            "upper covers": mirelkon.Lattice(upper),
            "sage": mirelkon.Lattice(SageLikeLattice(PENTAGON_COVERS)),
            # A DiGraph of the whole order: the transitive edges are no covers.
            "digraph": mirelkon.Lattice(DiGraphLike(
                ["0", "a", "b", "c", "1"],
                PENTAGON_COVERS + [("0", "c"), ("0", "1"), ("a", "1")])),
        }
        for form, lattice in forms.items():
            with self.subTest(form=form):
                self.assertPentagon(lattice)

    def test_elements_stay_the_objects_given(self):
        sage = mirelkon.Lattice(SageLikeLattice([(0, 1), (0, 2), (1, 3), (2, 3)]))
        self.assertEqual(sage.elements, [0, 1, 2, 3])
        self.assertEqual(sage.join(1, 2), 3)
        self.assertIn(frozenset({0, 3}), set(mirelkon.sublattices(sage)))
        made = mirelkon.Lattice.make("C2 x C2")
        self.assertEqual(made.elements, ["(0,0)", "(0,1)", "(1,0)", "(1,1)"])

    def test_a_lattice_of_64_elements_from_covers(self):
        lattice = mirelkon.Lattice.from_covers([(i, i + 1) for i in range(63)])
        self.assertEqual(len(lattice), 64)
        self.assertEqual(mirelkon.count(lattice), 2**64)


class Refusals(unittest.TestCase):
    def test_bad_input_raises_value_error_with_the_reason(self):
        n5 = mirelkon.Lattice.from_covers(PENTAGON_COVERS)
        cases = [
            (lambda: mirelkon.Lattice.from_covers([("0", "a"), ("0", "b")]),
             "not a lattice: a and b have no upper bound"),
            (lambda: mirelkon.Lattice.from_covers([("0", "a"), ("0", "b"), ("a", "c"), ("b", "c"),
                                                   ("a", "d"), ("b", "d")]),
             "a and b have two minimal upper bounds, c and d"),
            (lambda: mirelkon.Lattice.from_covers([("0", "a"), ("a", "1"), ("1", "0")]),
             "are each below the other"),
            (lambda: mirelkon.Lattice.from_covers([("0", "a"), ("a", "a")]),
             "a is given below itself"),
            (lambda: mirelkon.Lattice.from_covers([(i, i + 1) for i in range(64)]),
             "65 elements, more than the 64"),
            (lambda: mirelkon.Lattice.from_covers([("0", "a", "b")]), "a cover pair must be"),
            (lambda: mirelkon.Lattice.from_covers([("0", "x")], elements=["0", "a"]),
             "unknown element 'x'"),
            (lambda: mirelkon.Lattice.make("C4 x foo"), 'unknown lattice "foo"'),
            (lambda: mirelkon.Lattice.make("B7"), "more than 64 elements"),
            (lambda: mirelkon.Lattice.make("  "), "names no lattice"),
            (lambda: n5.join("a", "z"), "unknown element 'z'"),
            (lambda: mirelkon.count(n5, containing=["q"]), "unknown element 'q'"),
            (lambda: mirelkon.count(mirelkon.PartialLattice("ab"), bounded=True),
             "no single bottom"),
            (lambda: mirelkon.PartialLattice("0ab1", joins=[("a", "b", "1"), ("b", "a", "0")]),
             "a + b has two values, 1 and 0"),
            (lambda: mirelkon.PartialLattice("ab", operations={"fg": [("a", "b", "a")]}),
             "one character"),
            (lambda: mirelkon.lattices(21), "1 to 20 elements"),
            (lambda: mirelkon.survey(5, part=(3, 2)), "part k of m"),
        ]
        for make, reason in cases:
            with self.subTest(reason=reason):
                with self.assertRaises(ValueError) as raised:
                    make()
                self.assertIn(reason, str(raised.exception))

    def test_an_object_of_no_known_shape_is_a_type_error(self):
        for thing in (5, "0a", [("0", "a")]):
            with self.subTest(thing=thing):
                with self.assertRaises(TypeError):
                    mirelkon.Lattice(thing)


class PartialLattices(unittest.TestCase):
    def test_derivation_and_count(self):
        # 0 < a < c < d < 1 and 0 < b < d with a + b = d: since a <= c <= d, b + c = d too.
        partial = mirelkon.PartialLattice(
            ["0", "a", "b", "c", "d", "1"],
            covers=[("0", "a"), ("0", "b"), ("a", "c"), ("c", "d"), ("b", "d"), ("d", "1")],
            joins=[("a", "b", "d")])
        self.assertIn(("b", "+", "c", "d"), partial.derive())
        self.assertEqual(partial.count(), mirelkon.count(partial))
        # The subsets of the six elements (a, b, c, d as bits 1 to 4) closed under both.
        closed = sum(1 for s in range(64)
                     if not (s & 0b110 == 0b110 and not s & 0b10000)
                     and not (s & 0b1100 == 0b1100 and not s & 0b10000))
        self.assertEqual(partial.count(), closed)

    def test_further_operations_count_like_joins(self):
        partial = mirelkon.PartialLattice("xyz", operations={"f": [("x", "y", "z")]})
        self.assertEqual(partial.count(), 7)
        self.assertEqual(partial.derive(), [])


class Generation(unittest.TestCase):
    def test_lattices_of_n_elements_and_their_parts(self):
        known = {1: 1, 2: 1, 3: 1, 4: 2, 5: 5, 6: 15, 7: 53, 8: 222}
        for n, number in known.items():
            with self.subTest(n=n):
                self.assertEqual(sum(1 for _ in mirelkon.lattices(n)), number)
        parts = [sum(1 for _ in mirelkon.lattices(8, part=(k, 3))) for k in (1, 2, 3)]
        self.assertEqual(sum(parts), 222)
        self.assertTrue(all(len(lattice) == 6 for lattice in mirelkon.lattices(6)))

    def test_an_iterator_given_up_early_ends_its_walk(self):
        # The whole walk takes seconds; given up, it ends at once.
        walk = mirelkon.lattices(12)
        self.assertEqual(len(next(walk)), 12)
        started = time.monotonic()
        del walk
        self.assertLess(time.monotonic() - started, 0.5)

    def test_survey_agrees_with_the_counts_of_the_lattices(self):
        survey = mirelkon.survey(6, top=3)
        self.assertEqual((survey["n"], survey["lattices"], survey["top"]), (6, 15, 3))
        counts = sorted((mirelkon.count(l) for l in mirelkon.lattices(6)), reverse=True)
        expected = {}
        for c in counts:
            expected[c] = expected.get(c, 0) + 1
        self.assertEqual(survey["distribution"], expected)
        self.assertEqual([r["sub"] for r in survey["ranked"]], counts[:3])
        self.assertEqual(survey["ranked"][0]["covers"], [(i, i + 1) for i in range(5)])


class Drawing(unittest.TestCase):
    def test_notebooks_get_the_hasse_diagram(self):
        lattice = mirelkon.Lattice.make("N5")
        svg = lattice._repr_svg_()
        if svg is None:
            self.skipTest("built without Graphviz")
        nodes = [g for g in ElementTree.fromstring(svg).iter("{http://www.w3.org/2000/svg}g")
                 if g.get("class") == "node"]
        self.assertEqual(len(nodes), len(lattice))
        self.assertEqual(lattice.draw(format="png")[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(lattice.draw(highlight=[lattice.top]), lattice.draw(highlight=[lattice.top]))
        self.assertNotEqual(lattice.draw(highlight=[lattice.top]), svg)
        with self.assertRaises(ValueError):
            lattice.draw(format="gif")
        with self.assertRaises(ValueError):
            lattice.draw(highlight=["no such element"])


class Concurrency(unittest.TestCase):
    def test_threads_count_side_by_side(self):
        terms = ["B6", "C8 x C8", "C4 ^ 3", "D7560"]
        lattices = [mirelkon.Lattice.make(t) for t in terms]
        alone = [mirelkon.count(l) for l in lattices]
        together = [None] * len(terms)

        def count(i):
            together[i] = mirelkon.count(lattices[i])
        threads = [threading.Thread(target=count, args=(i,)) for i in range(len(terms))]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(together, alone)

    def test_ctrl_c_stops_a_long_count_within_a_second(self):
        for name, work in [("symmetry", lambda: mirelkon.count_up_to_symmetry(
                                mirelkon.Lattice.make("M9"))),
                           ("survey", lambda: mirelkon.survey(13))]:
            with self.subTest(work=name):
                timer = threading.Timer(0.2, _thread.interrupt_main)
                started = time.monotonic()
                timer.start()
                with self.assertRaises(KeyboardInterrupt):
                    work()
                timer.join()
                self.assertLess(time.monotonic() - started, 1.2)


if __name__ == "__main__":
    unittest.main()
