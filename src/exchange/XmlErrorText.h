#pragma once
// XML errors said in Japanese: the causes of expat's error codes, and a problem detail that
// carries expat's English message given the Japanese cause before it.
#include <string>

namespace orv {

// The cause of expat's error `code` in short ("タグが閉じていません"); a general cause for a
// code without its own.
std::string xmlErrorCause(int code);

// The detail with the Japanese cause put before expat's English message it holds
// ("XMLとして正しくありません（使えない文字か、崩れたタグがあります：not well-formed (invalid
// token)）。"); a detail that holds none, or whose message has its cause before it already, is
// returned as it is.
std::string explainedXmlDetail(const std::string& detail);

}  // namespace orv
