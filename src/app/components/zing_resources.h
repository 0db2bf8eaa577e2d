#pragma once

namespace ZingResources {
// Registers the compiled-in images (data/zingboard.qrc) once. The resource's own start-up registration lives
// in a static library, where the linker drops it, so every reader calls this first.
void ensureLoaded();
} // namespace ZingResources
