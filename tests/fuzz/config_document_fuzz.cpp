// A JSON document for import, and a button function's text for set: any bytes are read as
// import and set read them. A document that is taken gives back, through show --json and
// import into another base, the same configuration; a function text that is taken is printed
// as a text that stands for the same bytes.
#include <cstdint>
#include <string>
#include <variant>

#include "cli/config_document.h"
#include "cli/function_text.h"
#include "config/factory_files.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  gm::cli::ConfigurationContent content{0, gm::FactoryRecord()};
  if (!gm::cli::ImportDocument(text, content, true)) {
    gm::cli::ConfigurationContent again;
    const auto message = gm::cli::ImportDocument(gm::cli::DocumentJson(content, {}), again, true);
    GM_FUZZ_CHECK(!message);
    GM_FUZZ_CHECK(again == content);
  }
  const gm::cli::MacroNames names = {"Macro_1", "macro 3"};
  const auto parsed = gm::cli::ParseFunction(text, names);
  if (const auto* function = std::get_if<gm::cli::ParsedFunction>(&parsed)) {
    gm::SettingsRecord record;
    gm::cli::WriteFunction(record, 4, *function);
    const auto back = gm::cli::ParseFunction(gm::cli::FunctionText(record, 4, names), names);
    GM_FUZZ_CHECK(std::holds_alternative<gm::cli::ParsedFunction>(back));
    gm::SettingsRecord printed;
    gm::cli::WriteFunction(printed, 4, std::get<gm::cli::ParsedFunction>(back));
    GM_FUZZ_CHECK(printed == record);
  }
  return 0;
}
