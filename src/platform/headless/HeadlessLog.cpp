#include "platform/headless/HeadlessLog.h"

std::size_t HeadlessLog::count(HeadlessEvent event) const {
    std::size_t n = 0;
    for (const HeadlessRecord& record : records_) {
        if (record.event == event) ++n;
    }
    return n;
}

std::size_t HeadlessLog::find(HeadlessEvent event, std::size_t from) const {
    for (std::size_t i = from; i < records_.size(); ++i) {
        if (records_[i].event == event) return i;
    }
    return records_.size();
}
