#include "app/instance/instance_frame.h"
#include "app/instance/instance_request.h"
#include "fuzz_support.h"

// Whatever another process writes to the instance socket: the decoder hands out only whole JSON objects of
// bounded size, holds at most one frame's worth of bytes, and a request it accepts is one this version would
// send itself. The first byte picks where the stream is cut, to exercise frames split across reads.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray stream = Fuzz::bytes(data + 1, size - 1);
    const qsizetype cut = stream.isEmpty() ? 0 : qsizetype(data[0]) % (stream.size() + 1);

    InstanceFrame::Decoder decoder;
    const bool firstOk = decoder.feed(stream.left(cut));
    const bool ok = decoder.feed(stream.mid(cut)) && firstOk;
    FUZZ_CHECK(ok != decoder.failed());
    FUZZ_CHECK(decoder.pendingBytes() < InstanceFrame::kHeaderBytes + InstanceFrame::kMaxPayloadBytes);
    while (decoder.hasMessage()) {
        const QJsonObject message = decoder.takeMessage();
        QString problem;
        const std::optional<InstanceRequest> request = InstanceRequest::fromJson(message, &problem);
        FUZZ_CHECK(request.has_value() == problem.isEmpty());
        if (request) {
            // Sent again, it reads the same.
            QString again;
            const std::optional<InstanceRequest> echoed =
                InstanceRequest::fromJson(request->toJson(), &again);
            FUZZ_CHECK(echoed && echoed->command == request->command && echoed->target == request->target &&
                       echoed->gscSite == request->gscSite && echoed->gaProperty == request->gaProperty);
            FUZZ_CHECK(!InstanceFrame::encode(request->toJson()).isEmpty());
        }
    }
    return 0;
}
