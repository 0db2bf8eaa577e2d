#include "screen_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {

// Controls whose tops lie this close are one row.
constexpr int kRowTolerance = 8;

QString describe(const QWidget* w) {
    if (!w)
        return QStringLiteral("(none)");
    QString name = w->accessibleName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w); name.isEmpty() && button)
        name = button->text();
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + name;
}

} // namespace

TabWalk walkTab(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            controls.append(w);
    }
    const auto position = [window](const QWidget* w) { return w->mapTo(window, QPoint(0, 0)); };
    std::stable_sort(controls.begin(), controls.end(), [&](const QWidget* a, const QWidget* b) {
        const QPoint pa = position(a);
        const QPoint pb = position(b);
        return std::abs(pa.y() - pb.y()) > kRowTolerance ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    TabWalk walk;
    if (controls.isEmpty())
        return walk;
    for (const QWidget* w : controls)
        walk.expected.append(describe(w));
    walk.expected.append(describe(controls.first()));

    controls.first()->setFocus(Qt::TabFocusReason);
    walk.actual.append(describe(QApplication::focusWidget()));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            break;
        QTest::keyClick(focused, Qt::Key_Tab);
        walk.actual.append(describe(QApplication::focusWidget()));
    }
    return walk;
}
