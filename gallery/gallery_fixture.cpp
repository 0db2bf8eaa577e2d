#include "gallery/gallery_fixture.h"

#include <QApplication>
#include <QCoroTask>
#include <QDeadlineTimer>
#include <memory>

void GalleryFixture::settle() {
    // Each round waits for everything queued on the keyring's worker so far (it runs calls in order) and
    // lets the callers go on; a few rounds see every chain of keyring calls a page starts to its end.
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        auto answered = std::make_shared<bool>(false);
        [](KeychainStore& store, std::shared_ptr<bool> done) -> QCoro::Task<void> {
            co_await store.load(QStringLiteral("gallery-barrier"));
            *done = true;
        }(keychain, answered);
        const QDeadlineTimer deadline(2000);
        while (!*answered && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        QApplication::processEvents();
    }
}
