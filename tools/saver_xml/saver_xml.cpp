#include "saver_xml.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "app/settings_table.h"
#include "colour/scheme_list.h"
#include "fractal/formulas.h"

namespace {

struct CheckBox {
  std::string strId;
  std::string strLabel;
  int nBit;
};

const CSettingDef& Setting(int CSettings::*pMember) { return SettingOf(pMember); }

// An option's name as a dialog id: "drawing-time" is "drawingtime".
std::string IdOf(std::string_view option) {
  std::string id;
  for (const char c : option)
    if (c != '-') id += c;
  return id;
}

// The rows of a mask's help text, "blanking methods: 2 Fast Fade, 4 Wexly Fade, ...".
std::vector<CheckBox> HelpRows(std::string_view help) {
  std::vector<CheckBox> rows;
  help.remove_prefix(std::min(help.size(), help.find(": ") + 2));
  while (!help.empty()) {
    const std::string_view item = help.substr(0, help.find(", "));
    const std::size_t space = item.find(' ');
    CheckBox box{"", std::string(item.substr(space + 1)), 0};
    for (const char c : item.substr(0, space)) box.nBit = box.nBit * 10 + (c - '0');
    for (const char c : box.strLabel)
      if (c != ' ') box.strId += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    rows.push_back(box);
    help.remove_prefix(std::min(help.size(), item.size() + 2));
  }
  return rows;
}

std::string Padded(std::string text, std::size_t nWidth) {
  text.resize(std::max(nWidth, text.size()), ' ');
  return text;
}

// One column of check boxes, ids and labels aligned at least ten characters wide.
std::string CheckColumn(const std::vector<CheckBox>& boxes, const char* pszOption) {
  std::size_t nId = 10, nLabel = 10;
  for (const CheckBox& b : boxes) {
    nId = std::max(nId, b.strId.size() + 1);
    nLabel = std::max(nLabel, b.strLabel.size() + 1);
  }
  std::string xml = "    <vgroup>\n";
  for (const CheckBox& b : boxes) {
    xml += "      <boolean " + Padded("id=\"" + b.strId + "\"", nId + 5) +
           Padded("_label=\"" + b.strLabel + "\"", nLabel + 9) + "arg-set=\"--" + pszOption + " " +
           std::to_string(b.nBit) + "\"/>\n";
  }
  return xml + "    </vgroup>\n";
}

std::string CheckGroup(const std::vector<CheckBox>& left, const char* pszLeftOption,
                       const std::vector<CheckBox>& right, const char* pszRightOption) {
  return "  <hgroup>\n" + CheckColumn(left, pszLeftOption) + CheckColumn(right, pszRightOption) +
         "  </hgroup>\n";
}

// A number's control; the attributes after the first line line up under its id.
std::string Number(const CSettingDef& s, const char* pszType, const std::string& strLabels,
                   const std::string& strIndent) {
  const std::string head = strIndent + "<number ";
  const std::string under(head.size(), ' ');
  return head + "id=\"" + IdOf(s.pszOption) + "\" type=\"" + pszType + "\" arg=\"--" +
         s.pszOption + " %\"\n" + under + strLabels + "\n" + under + "low=\"" +
         std::to_string(s.nLow) + "\" high=\"" + std::to_string(s.nHigh) + "\" default=\"" +
         std::to_string(s.nDefault) + "\"/>\n";
}

std::string DurationWords(int nSeconds) {
  if (nSeconds % 60 == 0) return std::to_string(nSeconds / 60) + " minutes";
  return std::to_string(nSeconds) + " seconds";
}

std::string CountWord(std::size_t n) {
  static const char* const kWords[] = {
      "no",      "one",     "two",       "three",    "four",     "five",    "six",
      "seven",   "eight",   "nine",      "ten",      "eleven",   "twelve",  "thirteen",
      "fourteen", "fifteen", "sixteen",  "seventeen", "eighteen", "nineteen", "twenty"};
  return n < std::size(kWords) ? kWords[n] : std::to_string(n);
}

// "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
  return text;
}

// Greedy lines of at most nWidth characters.
std::string Wrapped(std::string_view text, std::size_t nWidth) {
  std::string out, line;
  while (!text.empty()) {
    const std::string_view word = text.substr(0, text.find(' '));
    text.remove_prefix(std::min(text.size(), word.size() + 1));
    if (!line.empty() && line.size() + 1 + word.size() > nWidth) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + std::string(word);
  }
  return out + line + "\n";
}

}  // namespace

std::string SaverXml() {
  std::vector<CheckBox> formulas;
  std::vector<std::string> formulaLabels;
  for (const CFormula& f : kFormulas) {
    formulas.push_back({f.pszName, f.pszLabel, f.nTypeBit});
    formulaLabels.push_back(f.pszLabel);
  }
  std::vector<CheckBox> schemes[2];
  for (int i = 0; i < kSchemeCount; ++i)
    schemes[i < (kSchemeCount + 1) / 2 ? 0 : 1].push_back(
        {kSchemeList[i].pszDialogId, kSchemeList[i].pszName, 1 << i});

  const CSettingDef& curveTypes = Setting(&CSettings::m_nCurveType);
  const CSettingDef& schemeMask = Setting(&CSettings::m_nColourScheme);
  const CSettingDef& blanking = Setting(&CSettings::m_nBlankingMethod);
  const CSettingDef& delay = Setting(&CSettings::m_nCompletionDelay);
  const CSettingDef& drawingTime = Setting(&CSettings::m_nDrawingTime);
  const CSettingDef& exclude = Setting(&CSettings::m_nExcludeCurves);
  const CSettingDef& extraMemory = Setting(&CSettings::m_bExtraMemory);
  const std::vector<CheckBox> blankings = HelpRows(blanking.pszOptionHelp);

  std::string xml =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n\n"
      "<screensaver name=\"mirovane\" _label=\"Mirovane\">\n\n"
      "  <command arg=\"--root\"/>\n\n";
  xml += CheckGroup(formulas, curveTypes.pszOption, blankings, blanking.pszOption) + "\n";
  xml += CheckGroup(schemes[0], schemeMask.pszOption, schemes[1], schemeMask.pszOption) + "\n";
  xml += Number(delay, "spinbutton", "_label=\"Completion delay (seconds)\"", "  ") + "\n";
  xml += Number(drawingTime, "slider",
                "_label=\"Drawing time\" _low-label=\"At once\" _high-label=\"" +
                    DurationWords(drawingTime.nHigh) + "\"",
                "  ") +
         "\n";
  xml += "  <hgroup>\n" +
         Number(Setting(&CSettings::m_nMinIterations), "spinbutton",
                "_label=\"Minimum iterations (0: no limit)\"", "    ") +
         Number(Setting(&CSettings::m_nMaxIterations), "spinbutton",
                "_label=\"Maximum iterations (0: no limit)\"", "    ") +
         "  </hgroup>\n\n";
  const std::size_t nOptionId =
      std::max(std::string_view(exclude.pszOption).size(), std::string_view(exclude.pszOffOption).size()) + 1;
  xml += std::string("  <select id=\"above\">\n") + "    <option " +
         Padded(std::string("id=\"") + exclude.pszOffOption + "\"", nOptionId + 5) +
         "_label=\"Reduce fractals above the maximum\"/>\n" + "    <option " +
         Padded(std::string("id=\"") + exclude.pszOption + "\"", nOptionId + 5) +
         "_label=\"Exclude fractals above the maximum\" arg-set=\"--" + exclude.pszOption +
         "\"/>\n  </select>\n\n";
  xml += "  <boolean id=\"" + IdOf(extraMemory.pszOption) +
         "\" _label=\"Use extra memory\" arg-set=\"--" + extraMemory.pszOption + "\"/>\n\n";
  xml += "  <_description>\n" +
         Wrapped("A slide show of fractals: " + Listed(formulaLabels) +
                     " curves drawn pixel by pixel in random order, each in one of " +
                     CountWord(kSchemeCount) + " colour schemes, then blanked with one of " +
                     CountWord(blankings.size()) + " methods.",
                 76) +
         "\n"
         "A group with no box checked uses the per-user settings file\n"
         "(~/.config/Tolvarn/mirovane.ini), which by default enables everything.\n"
         "In its own window the Next, Pause and Screenshot hot keys of that file work.\n"
         "  </_description>\n"
         "</screensaver>\n";
  return xml;
}
