#include "exchange/XmlErrorText.h"

#include <expat.h>

#include <cstring>

namespace orv {

std::string xmlErrorCause(int code) {
    switch (code) {
    case XML_ERROR_NO_MEMORY: return "メモリが足りません";
    case XML_ERROR_SYNTAX: return "XMLの規則に合わない書き方があります";
    case XML_ERROR_NO_ELEMENTS: return "要素がありません";
    case XML_ERROR_INVALID_TOKEN: return "使えない文字か、崩れたタグがあります";
    case XML_ERROR_UNCLOSED_TOKEN: return "タグが閉じないまま終わっています";
    case XML_ERROR_PARTIAL_CHAR: return "文字が途中で切れています";
    case XML_ERROR_TAG_MISMATCH: return "開始タグと終了タグが合っていません";
    case XML_ERROR_DUPLICATE_ATTRIBUTE: return "同じ属性が二つあります";
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT: return "文書の終わりの後に余分なものがあります";
    case XML_ERROR_UNDEFINED_ENTITY: return "定義されていない実体参照（&…;）があります";
    case XML_ERROR_RECURSIVE_ENTITY_REF: return "実体が自分自身を参照しています";
    case XML_ERROR_BAD_CHAR_REF: return "文字参照（&#…;）が正しくありません";
    case XML_ERROR_MISPLACED_XML_PI: return "XML宣言が先頭にありません";
    case XML_ERROR_UNKNOWN_ENCODING: return "知らない文字コードです";
    case XML_ERROR_INCORRECT_ENCODING: return "宣言された文字コードと中身が合いません";
    case XML_ERROR_UNCLOSED_CDATA_SECTION: return "CDATAセクションが閉じていません";
    case XML_ERROR_UNBOUND_PREFIX: return "宣言されていない名前空間の接頭辞があります";
    case XML_ERROR_XML_DECL: return "XML宣言が正しくありません";
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH: return "実体の展開が大きすぎます";
    case XML_ERROR_PARAM_ENTITY_REF:
    case XML_ERROR_ASYNC_ENTITY:
    case XML_ERROR_BINARY_ENTITY_REF:
    case XML_ERROR_ATTRIBUTE_EXTERNAL_ENTITY_REF:
    case XML_ERROR_EXTERNAL_ENTITY_HANDLING:
    case XML_ERROR_ENTITY_DECLARED_IN_PE:
    case XML_ERROR_INCOMPLETE_PE:
        return "扱えない実体の使い方があります";
    default: return "XMLの書き方が正しくありません";
    }
}

std::string explainedXmlDetail(const std::string& detail) {
    // expat's messages are fixed texts: the longest one the detail holds names the code.
    int found = 0;
    size_t foundLength = 0;
    for (int code = XML_ERROR_NO_MEMORY; code < 64; ++code) {  // the codes fit in six bits
        const XML_LChar* text = XML_ErrorString(static_cast<XML_Error>(code));
        if (text == nullptr) continue;
        const size_t length = std::strlen(text);
        if (length > foundLength && detail.find(text) != std::string::npos) {
            found = code;
            foundLength = length;
        }
    }
    if (found == 0) return detail;
    const std::string cause = xmlErrorCause(found) + "：";
    const size_t at = detail.find(XML_ErrorString(static_cast<XML_Error>(found)));
    if (at >= cause.size() && detail.compare(at - cause.size(), cause.size(), cause) == 0) return detail;  // explained already
    std::string out = detail;
    out.insert(at, cause);
    return out;
}

}  // namespace orv
