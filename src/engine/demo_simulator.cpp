#include "engine/demo_simulator.h"

#include "engine/app_state.h"
#include "providers/demo/demo_provider.h"

void DemoSimulator::simulateDemoPurchase() {
    const StripeTransactionDetails tx = m_demo.randomDemoPurchaseDetails();
    m_demo.addRevenue(double(tx.amountCents) / 100.0);
    m_demo.setLastEventAt(m_state.clock().now());
    const ReactionConfig config{QStringLiteral("\U0001F4B0"), SoundEffect::chaChing,
                                QStringLiteral("New purchase!")};
    m_state.fireReaction(config, tx.buyerLabel().value_or(QStringLiteral("Someone just paid")),
                         ReactionDetails::fromStripe(tx, std::nullopt));
}

void DemoSimulator::simulateDemoRefund() {
    const StripeTransactionDetails tx = m_demo.randomDemoRefundDetails();
    m_demo.setLastEventAt(m_state.clock().now());
    const ReactionConfig config{QStringLiteral("\U0001F595"), SoundEffect::scream, QStringLiteral("Refund!")};
    m_state.fireReaction(config, tx.buyerLabel().value_or(QStringLiteral("Refund detected")),
                         ReactionDetails::fromStripe(tx, std::nullopt));
}
