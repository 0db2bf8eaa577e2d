#include "fuzz_support.h"

#include "model/zing_error.h"

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "zingboard-fuzz";
    static char* argv[] = {name, nullptr};
    // Lives for the whole process, as in the program.
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    (void)application;
}

void expectZingErrorOrNothing(const std::exception_ptr& error) {
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const ZingError&) {
    } catch (...) {
        fail("an error other than ZingError escaped");
    }
}

QCoro::Task<HttpResponse> CannedHttpClient::send(HttpRequest request) {
    m_requests.append(std::move(request));
    HttpResponse response;
    response.status = m_status;
    response.headers = {{QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json")}};
    response.body = m_body;
    co_return response;
}

} // namespace Fuzz
