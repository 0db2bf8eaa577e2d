#pragma once

class AppState;
class DemoProvider;

// The dashboard's demo buttons: a fixed purchase or refund reaction, straight to the screen without
// passing through the user's triggers.
class DemoSimulator {
public:
    DemoSimulator(AppState& state, DemoProvider& demo) : m_state(state), m_demo(demo) {}

    // Adds the purchase to the demo revenue and pushes the demo feed's next batch 45 s away.
    void simulateDemoPurchase();
    // Pushes the next batch away too; revenue stays as it is.
    void simulateDemoRefund();

private:
    AppState& m_state;
    DemoProvider& m_demo;
};
