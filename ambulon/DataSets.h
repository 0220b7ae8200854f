#pragma once

#include "form/DataSets.h"

namespace ambulon {

// The data a learner may transform, one set of each kind in the order of form::DataSetKind. The
// square of every number fits in 32 bits (none is beyond 46340), so every button runs to the end;
// only numbers of one's own reach the overflow.
//
// The sorted and reversed sets are nine consecutive numbers about 0: x^2 gives the same squares on
// both sides, -x turns the order round, and 1・2・3…を引く gives the same number nine times on the
// sorted set. All equal: a function without state gives nine equal results, the running count nine
// different ones. The repeats show the same: equal numbers, equal results, except through the count.
//
// clang-format off
inline constexpr form::DataSet kDataSets[] = {
    {form::DataSetKind::Program,  {1, 2, 3, 10, 100, 123, 1000, 7777, 10000}},
    {form::DataSetKind::Sorted,   {-4, -3, -2, -1, 0, 1, 2, 3, 4}},
    {form::DataSetKind::Reversed, {4, 3, 2, 1, 0, -1, -2, -3, -4}},
    {form::DataSetKind::AllEqual, {5, 5, 5, 5, 5, 5, 5, 5, 5}},
    {form::DataSetKind::Repeats,  {3, -2, 3, 0, 7, -2, 3, 7, 0}},
};
// clang-format on

} // namespace ambulon
