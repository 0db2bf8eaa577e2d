#pragma once

#include "app/screens/editing/provider_readiness.h"

#include <QButtonGroup>
#include <QMap>
#include <QWidget>
#include <functional>

class ChoiceCard;
class QLabel;

// The editors' "Data source" rows: each provider with its description and whether it is ready.
class ProviderPicker final : public QWidget {
    Q_OBJECT
public:
    explicit ProviderPicker(QWidget* parent = nullptr);

    void showState(IntegrationProvider selected,
                   const std::function<ProviderState(IntegrationProvider)>& stateOf);
    ChoiceCard* row(IntegrationProvider provider) const { return m_rows.value(provider); }

Q_SIGNALS:
    void chosen(IntegrationProvider provider);

private:
    struct Mark {
        QLabel* symbol;
        QLabel* text;
    };
    QButtonGroup m_group;
    QMap<IntegrationProvider, ChoiceCard*> m_rows;
    QMap<IntegrationProvider, Mark> m_marks;
};
