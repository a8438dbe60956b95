// The files shipped beside the program, written into the distribution folder by the build's
// generator (the program itself never writes them): the factory configuration as config.bin
// and config0.bin..config5.bin with FirstRunFlag 0, the captions and skin values as str.ini
// (with the ProfileList) and str0.ini..str5.ini, and a macro file without macros.
#pragma once

#include <string>

#include "config/config_state.h"
#include "config/function_catalogue.h"
#include "config/language.h"
#include "config/records.h"
#include "platform/file_path.h"
#include "platform/ini_file.h"

namespace gm {

// Settings a gaming mouse starts well with: seven stages of 400-12000 DPI in distinct colours,
// 1000 Hz, standard lighting at 75 %, the desktop's usual pointer values, and the buttons'
// functions matching their default captions.
SettingsRecord FactoryRecord();

// The skin values of the factory caption files: the Default skin, white text.
SkinValues FactorySkinValues();

// The captions of FactoryRecord's functions in a language.
ButtonLabels FactoryCaptions(Language language);

// Writes every factory file into folder, replacing what is there. Returns an empty text, or
// what failed.
std::wstring WriteFactoryFiles(const FilePath& folder, IniFile& ini);

}  // namespace gm
