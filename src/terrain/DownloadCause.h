#pragma once
// Why a tile request failed, said shortly in Japanese: one place that turns Qt's network errors
// and the server's HTTP statuses into the causes the messages name.
#include <QNetworkReply>

#include <string>

namespace orv::terrain {

// "ホストが見つかりません", "接続を拒否されました", "サーバーが応答できません（503）", …
// httpStatus: 0 when no answer came.
std::string downloadCause(QNetworkReply::NetworkError error, int httpStatus);

// True for the errors after which no further request can succeed (no route to the server at
// all): the rest of the run does not try again.
bool isUnreachable(QNetworkReply::NetworkError error);

}  // namespace orv::terrain
