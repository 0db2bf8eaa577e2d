#pragma once

#include <QList>

namespace RecordLists {

// Replaces the record with the same id where it stands, or appends it when the list has none.
template <typename Record> QList<Record> replaceOrAppend(QList<Record> list, const Record& record) {
    for (Record& existing : list) {
        if (existing.id == record.id) {
            existing = record;
            return list;
        }
    }
    list.append(record);
    return list;
}

} // namespace RecordLists
