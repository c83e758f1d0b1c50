#include "report/basedistributiontable.h"

#include "report/reportprint.h"

namespace Tarnwick {

void BaseDistributionTable::CreateBucket(uint8_t bucket) {
    counts_[bucket] = 0;
    present_.set(bucket);
}

void BaseDistributionTable::Increment(uint8_t bucket) {
    if (!present_.test(bucket)) CreateBucket(bucket);
    ++counts_[bucket];
}

uint32_t BaseDistributionTable::GetCount(uint8_t bucket) const {
    if (!present_.test(bucket)) {
        ReportPrint("Error: Could not find the entry in the distribution table");
        return 0;
    }
    return counts_[bucket];
}

uint32_t BaseDistributionTable::SumRange(uint8_t low, uint8_t high) const {
    uint32_t sum = 0;
    for (unsigned bucket = low; bucket <= high; ++bucket) {
        if (present_.test(bucket)) sum += counts_[bucket];
    }
    return sum;
}

}  // namespace Tarnwick
