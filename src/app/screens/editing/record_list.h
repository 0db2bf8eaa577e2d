#pragma once

#include <QList>
#include <QUuid>
#include <algorithm>
#include <optional>

// Edits of the ordered goal and trigger lists that keep every other record where it is.
namespace RecordList {

template <typename Record> int indexOf(const QList<Record>& list, const QUuid& id) {
    const auto it = std::find_if(list.cbegin(), list.cend(), [&](const Record& r) { return r.id == id; });
    return it == list.cend() ? -1 : int(it - list.cbegin());
}

// Replaces the record with the same id in place, or appends a record the list does not hold.
template <typename Record> QList<Record> upsert(QList<Record> list, const Record& record) {
    const int index = indexOf(list, record.id);
    if (index < 0)
        list.append(record);
    else
        list[index] = record;
    return list;
}

// Puts a removed record back at its old index (or the end, if the list got shorter). A record whose id
// came back meanwhile is left alone.
template <typename Record> QList<Record> reinsert(QList<Record> list, int index, const Record& record) {
    if (indexOf(list, record.id) >= 0)
        return list;
    list.insert(std::clamp(index, 0, int(list.size())), record);
    return list;
}

} // namespace RecordList
