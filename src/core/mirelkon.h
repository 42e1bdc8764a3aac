// The counting library's front door: a third program includes this header alone.
//
//   mirelkon::PartialLattice    a finite partial lattice as a value (core/partial_lattice.h)
//   mirelkon::CheckLattice      is an order a lattice; its join and meet tables (core/lattice.h)
//   mirelkon::Derive            the join and meet equations that follow (core/derivation.h)
//   mirelkon::ClosedSetCounter  the exact counter of closed subsets (core/closed_set_counter.h)
//   mirelkon::Problem           one job's counts, profile, list and count up to symmetry
//                               (core/problem.h)
//
// Every entry point checks what it is given and throws std::invalid_argument with the reason
// instead of answering a question it cannot: n out of range, a rule naming no element, an
// order without a bottom or a top where a lattice is required.
#pragma once

#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/closed_set_lister.h"
#include "core/count.h"
#include "core/derivation.h"
#include "core/equation.h"
#include "core/lattice.h"
#include "core/limits.h"
#include "core/order.h"
#include "core/partial_lattice.h"
#include "core/rule.h"
#include "core/subset_count.h"
#include "core/symmetry.h"
