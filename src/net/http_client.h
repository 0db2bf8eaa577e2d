#pragma once

#include "net/http_request.h"
#include "net/http_response.h"

#include <QCoroTask>

// The one way the core talks HTTP. send() resolves with the HTTP answer whatever its status, and throws
// TransportError when no answer arrived.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual QCoro::Task<HttpResponse> send(HttpRequest request) = 0;
};
