#include "JsonStream.h"

void CJsonStream::NewLine(size_t nDepth) { *m_pOut << '\n' << std::string(2 * nDepth, ' '); }

void CJsonStream::BeforeValue() {
  if (m_bKeyPending || m_levels.empty()) return;
  Level& level = m_levels.back();
  if (!level.bEmpty) *m_pOut << ',';
  level.bEmpty = false;
  NewLine(m_levels.size());
}

void CJsonStream::Begin(bool bObject) {
  if (!Writes()) return;
  BeforeValue();
  *m_pOut << (bObject ? '{' : '[');
  m_levels.push_back({bObject, true});
  m_bKeyPending = false;
}

void CJsonStream::Key(std::string_view key) {
  if (!Writes() || m_levels.empty() || !m_levels.back().bObject) return;
  Level& level = m_levels.back();
  if (!level.bEmpty) *m_pOut << ',';
  level.bEmpty = false;
  NewLine(m_levels.size());
  *m_pOut << Json(std::string(key)).dump() << ": ";
  m_bKeyPending = true;
}

void CJsonStream::Value(const Json& value) {
  if (!Writes()) return;
  BeforeValue();
  std::string strText = value.dump(2, ' ', false, Json::error_handler_t::replace);
  // Inside the open levels, each line of the value moves right by theirs; texts hold no line
  // break of their own (JSON writes it as \n).
  std::string strIndent(2 * m_levels.size(), ' ');
  size_t nStart = 0;
  for (size_t nBreak; (nBreak = strText.find('\n', nStart)) != std::string::npos;
       nStart = nBreak + 1) {
    m_pOut->write(strText.data() + nStart, static_cast<std::streamsize>(nBreak + 1 - nStart));
    *m_pOut << strIndent;
  }
  m_pOut->write(strText.data() + nStart, static_cast<std::streamsize>(strText.size() - nStart));
  m_bKeyPending = false;
  if (m_levels.empty()) m_bTopWritten = true;
}

void CJsonStream::Element(const Json& value) {
  if (ValueDue()) BeginArray();
  Value(value);
}

void CJsonStream::End() {
  if (!Writes() || m_levels.empty()) return;
  Level level = m_levels.back();
  m_levels.pop_back();
  if (!level.bEmpty) NewLine(m_levels.size());
  *m_pOut << (level.bObject ? '}' : ']');
  if (m_levels.empty()) m_bTopWritten = true;
}

void CJsonStream::Finish() {
  if (ValueDue()) Value(Json::array());
  while (Writes() && !m_levels.empty()) End();
}
