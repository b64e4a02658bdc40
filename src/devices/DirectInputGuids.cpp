#include <cstring>

#include "devices/DirectInputApi.h"

bool operator==(const DiGuid& a, const DiGuid& b) {
    return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
           std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}
