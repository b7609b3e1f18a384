#include "terrain/DownloadCause.h"

namespace orv::terrain {

namespace {

std::string statusCause(int status) {
    const std::string code = "（" + std::to_string(status) + "）";
    if (status == 401 || status == 403) return "アクセスを許可されていません" + code;
    if (status == 404 || status == 410) return "タイルがありません" + code;
    if (status == 429) return "リクエストが多すぎると断られました" + code;
    if (status >= 500 && status <= 599) return "サーバーが応答できない状態です" + code;
    return "サーバーの応答が正しくありません" + code;
}

}  // namespace

std::string downloadCause(QNetworkReply::NetworkError error, int httpStatus) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return "ホストが見つかりません";
    case QNetworkReply::ConnectionRefusedError:
        return "接続を拒否されました";
    case QNetworkReply::RemoteHostClosedError:
        return "受信が途中で切れました";
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return "応答がありません（時間切れ）";
    case QNetworkReply::SslHandshakeFailedError:
        return "安全な接続（TLS）を確立できません";
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return "ネットワークが使えません";
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return "プロキシに接続できません";
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return "転送先が正しくありません";
    case QNetworkReply::NoError:
        if (httpStatus == 200 || httpStatus == 0) return "受信が途中で切れました";
        break;
    default:
        break;
    }
    return httpStatus != 0 ? statusCause(httpStatus) : "通信に失敗しました";
}

bool isUnreachable(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

}  // namespace orv::terrain
