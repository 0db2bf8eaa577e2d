#pragma once

#include <QList>
#include <QMetaEnum>
#include <QString>
#include <array>
#include <cstddef>
#include <optional>

// A model enumeration is stored under its enumerator's name, read from the meta-object (Q_ENUM_NS), so no
// enumeration keeps a hand-written list of its names or cases. Renaming an enumerator changes the stored
// form.
namespace EnumNames {

// Every case, in declaration order (pickers list them so).
template <typename E> const QList<E>& allCases() {
    static const QList<E> cases = [] {
        const QMetaEnum meta = QMetaEnum::fromType<E>();
        QList<E> all;
        all.reserve(meta.keyCount());
        for (int i = 0; i < meta.keyCount(); ++i)
            all.append(static_cast<E>(meta.value(i)));
        return all;
    }();
    return cases;
}

// Empty for a value outside the enumeration.
template <typename E> QString rawValue(E value) {
    return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(static_cast<int>(value)));
}

// The exact name only: QMetaEnum::keyToValue would also take "Scope::name", which was never stored.
template <typename E> std::optional<E> fromRawValue(const QString& raw) {
    const QMetaEnum meta = QMetaEnum::fromType<E>();
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (raw == QLatin1String(meta.key(i)))
            return static_cast<E>(meta.value(i));
    }
    return std::nullopt;
}

// True when row i describes enumerator i, so that the table can be indexed by the enumerator.
template <typename Row, std::size_t N, typename E>
constexpr bool rowsInDeclarationOrder(const std::array<Row, N>& rows, E Row::*key) {
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].*key) != i)
            return false;
    }
    return true;
}

} // namespace EnumNames
