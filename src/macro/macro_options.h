// The two record options of the macro manager. They belong to the process, not to one run of
// the dialog: they keep their states between runs until a macro is loaded.
#pragma once

namespace gm {

struct MacroOptions {
  bool delay = false;  // "Record delays between key commands": DelayTimeSelStatus
  bool loop = false;   // the repeat count applies: LoopTimeSelStatus
};

}  // namespace gm
