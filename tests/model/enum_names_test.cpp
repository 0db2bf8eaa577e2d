#include "engine/menu_tab.h"
#include "model/goal_period.h"
#include "model/integration_provider.h"
#include "model/metric_kind.h"
#include "model/notification_style.h"
#include "model/reaction_context.h"
#include "model/sound_effect.h"
#include "model/stripe_event_kind.h"
#include "model/trigger_event_kind.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

template <typename E> class StoredEnumNames : public ::testing::Test {};

using StoredEnums = ::testing::Types<GoalPeriod, NotificationStyle, IntegrationProvider, SoundEffect,
                                     StripeEventKind, MenuTab, MetricKind, TriggerEventKind, ReactionContext>;
TYPED_TEST_SUITE(StoredEnumNames, StoredEnums);

// Stored documents and pickers rely on this: one distinct, non-empty name per case, read back to the same
// case, and the cases listed in declaration order.
TYPED_TEST(StoredEnumNames, EveryCaseReadsBackFromItsName) {
    const QList<TypeParam>& cases = EnumNames::allCases<TypeParam>();
    ASSERT_FALSE(cases.isEmpty());
    QSet<QString> names;
    for (qsizetype i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(static_cast<qsizetype>(cases[i]), i);
        const QString name = EnumNames::rawValue(cases[i]);
        EXPECT_FALSE(name.isEmpty()) << i;
        EXPECT_FALSE(names.contains(name)) << name.toStdString();
        names.insert(name);
        EXPECT_EQ(EnumNames::fromRawValue<TypeParam>(name), cases[i]) << name.toStdString();
    }
}

// Only the exact name is accepted: other spellings that a looser reader would take are refused, so a
// hand-edited or foreign document fails loudly instead of silently choosing a case.
TYPED_TEST(StoredEnumNames, NearMissesAreRefused) {
    const QMetaEnum meta = QMetaEnum::fromType<TypeParam>();
    for (TypeParam value : EnumNames::allCases<TypeParam>()) {
        const QString name = EnumNames::rawValue(value);
        QString capitalised = name;
        capitalised[0] = capitalised[0].toUpper();
        const QString misses[] = {
            capitalised,
            name.toUpper(),
            QLatin1String(meta.scope()) + QStringLiteral("::") + name,
            QLatin1String(meta.enumName()) + QStringLiteral("::") + name,
            name + QLatin1Char(' '),
            QLatin1Char(' ') + name,
            name.chopped(1),
            QString::number(static_cast<int>(value)),
        };
        for (const QString& miss : misses) {
            if (miss != name) {
                EXPECT_FALSE(EnumNames::fromRawValue<TypeParam>(miss)) << miss.toStdString();
            }
        }
    }
    EXPECT_FALSE(EnumNames::fromRawValue<TypeParam>(QString()));
    EXPECT_FALSE(EnumNames::fromRawValue<TypeParam>(QStringLiteral("")));
}

// A value no enumerator names (a corrupted cast) has no stored form rather than a wrong one.
TYPED_TEST(StoredEnumNames, ValueOutsideTheEnumerationHasNoName) {
    const auto outside = static_cast<TypeParam>(EnumNames::allCases<TypeParam>().size());
    EXPECT_TRUE(EnumNames::rawValue(outside).isEmpty());
}

} // namespace
