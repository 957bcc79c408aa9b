#include "document/DocumentMessages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "numbers/FormatNumber.h"
#include "settings/SettingsKeys.h"

namespace document_messages {

namespace {

std::string WithPath(const char* text, const std::string& path) {
  std::string s = text;
  const std::size_t at = s.find("%1");
  if (at != std::string::npos) s.replace(at, 2, docfile::DisplayPath(path));
  return s;
}

}  // namespace

std::string OpenFailure(const docfile::ReadResult& r, const std::string& path, std::int64_t textLimit) {
  using docfile::ReadStatus;
  switch (r.status) {
    case ReadStatus::TooLarge:
      return "ファイルが大きすぎて開けません。\nこのファイルは " + numbers::GroupedDigits(r.fileBytes) +
             " バイトです。上限（現在 " + numbers::GroupedDigits(textLimit) + " バイト）は設定ファイルの [" +
             setting::MaxTextBytes.section + "] " + setting::MaxTextBytes.key + " で " +
             numbers::GroupedDigits(setting::MaxTextBytes.maxValue) + " バイトまで上げられます。";
    case ReadStatus::HasNul:
      return WithPath("%1 には NUL 文字 (0x00) が含まれているため、開けません。\nテキストファイルではない可能性があります。", path);
    case ReadStatus::NotAFile:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 は通常のファイルではありません。", path);
    case ReadStatus::CannotOpen:
    case ReadStatus::Ok:
      break;
  }
  switch (r.error) {
    case ENOENT:
    case ENOTDIR:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 が見つかりません。", path);
    case EACCES:
    case EPERM:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1 を読み取る権限がありません。", path);
    default:
      return WithPath("ドキュメントを開くことに失敗しました。\n%1", path) + "\n(" + std::strerror(r.error) + ")";
  }
}

std::string SaveFailure(const docfile::WriteResult& r, const std::string& path) {
  std::string text;
  const bool diskFull = r.error == ENOSPC || r.error == EDQUOT;
  if (r.stage == docfile::WriteStage::TargetNotWritable) {
    text = WithPath("%1 は使用中または読み取り専用のため、書き込めません。", path);
  } else if (diskFull) {
    text = WithPath("%1 を保存できません。\nディスクの空き領域が足りません。", path);
  } else if (r.error == EROFS) {
    text = WithPath("%1 を保存できません。\n読み取り専用のファイルシステムです。", path);
  } else if (r.stage == docfile::WriteStage::CreateTemp && (r.error == EACCES || r.error == EPERM)) {
    text = WithPath("%1 を保存できません。\nこのフォルダには書き込めません。", path);
  } else if (r.stage == docfile::WriteStage::CreateTemp && (r.error == ENOENT || r.error == ENOTDIR)) {
    text = WithPath("%1 を保存できません。\nフォルダが見つかりません。", path);
  } else {
    text = WithPath("%1 を保存できません。", path) + "\n(" + std::strerror(r.error) + ")";
  }
  return text + "\nディスク上のファイルは変更されていません。";
}

std::string Unconvertible(const file_encoding::Unconvertible& u, const std::string& path) {
  return WithPath("%1 には CP932 で表せない文字があります。\n", path) + std::to_string(u.line) + (u.malformed ? " 行目の " : " 行目の") +
         file_encoding::Describe(u) +
         "\n\nその文字は 〓 で表示します。ファイルを損なわないよう読み取り専用で開き、"
         "このファイルには上書き保存しません。";
}

std::string LossyOverwrite(const std::string& path) {
  return WithPath("%1 には CP932 で表せない文字があるため、上書き保存できません。\n"
                  "保存すると 〓 で表示している文字が失われます。\n"
                  "別のファイルに保存するには「名前を付けて保存」を使ってください。",
                  path);
}

std::string UnshowableRecord(int line, const std::string& path) {
  return std::to_string(line) + " 行目のフィールドに改行またはタブが含まれています\n" +
         WithPath("%1\n\n表の 1 行として表せないため、その改行とタブは空白で表示します。"
                  "ファイルを損なわないよう読み取り専用で開き、このファイルには上書き保存しません。",
                  path);
}

std::string UnshowableOverwrite(const std::string& path) {
  return WithPath("%1 には改行またはタブを含むフィールドがあるため、上書き保存できません。\n"
                  "別のファイルに保存するには「名前を付けて保存」を使ってください。",
                  path);
}

std::string Unencodable(const file_encoding::BadCp932& bad, file_encoding::Encoding encoding,
                            const std::string& path) {
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", bad.byte);
  return WithPath("%1 を ", path) + file_encoding::Caption(encoding) + " で保存できません。\n" +
         std::to_string(bad.line) + " 行目に CP932 の文字ではないバイト " + byte +
         " があります。\nディスク上のファイルは変更されていません。";
}

}  // namespace document_messages
