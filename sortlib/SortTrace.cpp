#include "sortlib/SortTrace.h"

#include "runtime/Text.h"

namespace sortlib {

void SortTrace::sortBegun(runtime::Collection const& collection, ICompare const& comparator) {
    m_collection = &collection;
    writeHeader(comparator);
}

void SortTrace::exchangeEnded(std::int32_t i, std::int32_t j) {
    std::string line = "Exchange " + runtime::decimal(i) + " and " + runtime::decimal(j) + ":";
    for (runtime::Variant const& element : *m_collection)
        line += ' ' + describe(element);
    write(line);
}

} // namespace sortlib
