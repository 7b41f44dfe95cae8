#include "app/gui/qt_text.h"

#include <QList>

#include "text/codec.h"

namespace morvane {

QString FromCp932(const std::string& cp932) {
  CodecResult converted = Cp932ToUtf8(cp932);
  if (converted.ok) return QString::fromStdString(converted.text);
  // Convert what can be converted, character by character, and mark the rest.
  QString text;
  size_t i = 0;
  while (i < cp932.size()) {
    size_t length = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    CodecResult one = Cp932ToUtf8(std::string_view(cp932).substr(i, length));
    text += one.ok ? QString::fromStdString(one.text) : QString(QChar::ReplacementCharacter);
    i += length;
  }
  return text;
}

std::string ToCp932(const QString& text) {
  CodecResult converted = Utf8ToCp932(text.toStdString());
  if (converted.ok) return converted.text;
  std::string bytes;
  for (uint c : text.toUcs4()) {
    CodecResult one =
        Utf8ToCp932(QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toStdString());
    bytes += one.ok ? one.text : std::string("?");
  }
  return bytes;
}

bool CanEncodeCp932(const QString& text) { return Utf8ToCp932(text.toStdString()).ok; }

}  // namespace morvane
