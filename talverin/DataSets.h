#pragma once

#include "form/DataSets.h"

namespace talverin {

// The data a learner may sort, one set of each kind in the order of form::DataSetKind.
//
// The sorted and reversed sets hold the program's own numbers, so that a run on them shows what the
// order alone changes: the same 36 comparisons, and no exchange at all when 小さい順 meets the
// sorted set or 大きい順 the reversed one. Sorted by value is not sorted by text: 文字列順 still
// puts 12703 before 1851. The repeats mix one to four digits: by text 10 stands before 9, 9 before
// 90, and equal values next to each other.
//
// clang-format off
inline constexpr form::DataSet kDataSets[] = {
    {form::DataSetKind::Program,  {1851, 9353, 2748, 926, 1166, 12703, 40, 66916, 5562}},
    {form::DataSetKind::Sorted,   {40, 926, 1166, 1851, 2748, 5562, 9353, 12703, 66916}},
    {form::DataSetKind::Reversed, {66916, 12703, 9353, 5562, 2748, 1851, 1166, 926, 40}},
    {form::DataSetKind::AllEqual, {1851, 1851, 1851, 1851, 1851, 1851, 1851, 1851, 1851}},
    {form::DataSetKind::Repeats,  {10, 9, 100, 9, 1, 10, 90, 1000, 9}},
};
// clang-format on

} // namespace talverin
