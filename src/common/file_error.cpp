#include "file_error.h"

#include <sys/stat.h>

#include <cstring>

namespace zc {

std::string FileErrorMessage(const std::string& path, const char* what, int error) {
  // Every caller passes the errno of a call that failed; should one ever be
  // lost, the user still gets a reason rather than "Success".
  return FileErrorMessage(path, what, error != 0 ? std::strerror(error) : "入出力エラー");
}

std::string FileErrorMessage(const std::string& path, const char* what, const std::string& reason) {
  return "ファイル \"" + path + "\" " + what + ": " + reason;
}

std::string NotARegularFileReason(mode_t mode) {
  const char* kind = "特殊ファイル";
  if (S_ISDIR(mode)) {
    kind = "フォルダー";
  } else if (S_ISFIFO(mode)) {
    kind = "名前付きパイプ";
  } else if (S_ISCHR(mode) || S_ISBLK(mode)) {
    kind = "デバイス";
  } else if (S_ISSOCK(mode)) {
    kind = "ソケット";
  }
  return std::string("通常のファイルではありません (") + kind + ")";
}

}  // namespace zc
