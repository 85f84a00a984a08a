#include "crash/process/thread_list.h"

#include <cstring>

namespace palvetta {
namespace {

template <class T>
T ReadAt(const uint8_t* bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes + offset, sizeof value);
  return value;
}

}  // namespace

TDACardinal ThreadIdsOfProcess(const uint8_t* records, size_t size, uint64_t processId) {
  TDACardinal ids;
  size_t offset = 0;
  while (records && offset <= size && size - offset >= kProcessRecordSize) {
    const uint8_t* record = records + offset;
    if (ReadAt<uint64_t>(record, kProcessRecordProcessId) == processId) {
      const uint32_t count = ReadAt<uint32_t>(record, kProcessRecordThreadCount);
      const size_t room = (size - offset - kProcessRecordSize) / kThreadRecordSize;
      for (size_t i = 0; i < count && i < room; ++i) {
        const uint8_t* thread = record + kProcessRecordSize + i * kThreadRecordSize;
        ids.push_back(static_cast<uint32_t>(ReadAt<uint64_t>(thread, kThreadRecordThreadId)));
      }
      return ids;
    }
    const uint32_t next = ReadAt<uint32_t>(record, 0);
    if (next == 0) break;
    offset += next;
  }
  return ids;
}

}  // namespace palvetta
