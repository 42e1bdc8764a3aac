// The run's settings and the tables of the current job. Both are program-wide: the header
// of the input file sets the run once, and every job overwrites the job tables in place.
// Element, operation and constraint-slot numbers are 1-based; 0 means "none".
#pragma once

#include <cstdint>
#include <string>

#include "core/limits.h"

// The equation left op right = result, where op is the operation's 1-based position in
// operationSymbols. For counting it is the rule "left and right in a subset force result in".
struct ConstraintRecord {
  std::uint8_t left;
  std::uint8_t right;
  std::uint8_t result;
  std::uint8_t operation;
};
static_assert(sizeof(ConstraintRecord) == 4);

// An edge as given: element lower lies below element upper.
struct EdgeRecord {
  std::uint8_t lower;
  std::uint8_t upper;
};

struct ConstraintKind {
  bool isJoin;  // operation symbol "+"
  bool isMeet;  // operation symbol "*"
};

struct RunSettings {
  bool verbose = false;
  int subtrahend = 0;  // 0..20
  std::string operationSymbols;
};

struct JobModel {
  std::string nameOfL;
  int latticeSize = 0;  // n, at most maxElements once the size has been accepted
  std::string elementSymbols;
  bool orderMatrix[maxElements + 1][maxElements + 1] = {};  // [i][j]: element i <= element j
  // The edges in input order, kept beside the matrix, which loses them when it is closed.
  // Every edge sets a matrix entry off the diagonal that was false, so n(n-1) is room enough.
  EdgeRecord edgeList[maxElements * (maxElements - 1)] = {};
  int edgeCount = 0;
  int edgesLine = 0;  // input line of "\edges"
  ConstraintRecord constraintTable[maxConstraints + 1] = {};
  ConstraintKind constraintKinds[maxConstraints + 1] = {};
  int constraintLines[maxConstraints + 1] = {};  // input line of each constraint read
  int constraintCount = 0;
  int initialConstraintCount = 0;  // slots above it hold derived constraints
  bool inEdgesSection = false;
  bool inConstraintsSection = false;
};

extern RunSettings run;
extern JobModel job;

// The written form of an equation: left symbol, operation symbol, right symbol, "=",
// result symbol; of slot k, or of elements and an operation symbol given.
std::string WrittenForm(int k);
std::string WrittenForm(int left, char operation, int right, int result);

// Index of an element symbol, or 0 when the character is no element.
int ElementNumber(char symbol);

// Operation number (1-based position in operationSymbols) of the first occurrence of the
// symbol, or 0 when it is absent. The join is '+', the meet '*'.
int OperationNumber(char symbol);
