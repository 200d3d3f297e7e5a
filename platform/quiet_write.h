#pragma once

#include <cstdio>
#include <string_view>

namespace kestrun {

// Writes the bytes and flushes the stream. When the stream is a pipe whose reader has gone,
// the write fails without a word instead of raising SIGPIPE, which would end the launcher and
// lose its unsaved settings.
void WriteQuietly(std::FILE* stream, std::string_view bytes);

}  // namespace kestrun
