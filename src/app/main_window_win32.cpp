#include "app/main_window_win32.h"

#include <algorithm>
#include <utility>

#include "app/apply_progress.h"
#include "buttons/button_assignment.h"
#include "device/device_notification.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "gfx/skin_files.h"
#include "help/updater.h"
#include "macro/macro_program_dialog_win32.h"
#include "platform/debug_output.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"
#include "profiles/profile_manager.h"
#include "profiles/rules_window_win32.h"
#include "profiles/running_programs_win32.h"
#include "profiles/start_with_windows_win32.h"
#include "ui/app_messages.h"
#include "ui/dialog_picture_win32.h"
#include "ui/main_fonts_win32.h"

namespace gm {
namespace {

constexpr wchar_t kInstanceMutexName[] = L"PDKX512OEMMutex";
constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 650;

}  // namespace

CHidMouseDlg::CHidMouseDlg(AppServices& services, Win32Host& host)
    : services_(services),
      ownerHost_(host),
      tray_(services.uiLog),
      controller_(services.state, services.host, services.hid, *this),
      files_(services.state, services.ini, services.host),
      fileSteps_(files_),
      flows_(services.state, services.state, services.host, services.hid, desktop_, fileSteps_,
             *this),
      surface_({*this, services.state, services.uiLog, layout_, sizes_, skinFolder_, mainFont_,
                smallFont_, [this] { assignment_.CloseAllLists(); },
                [this](const ColumnPlan& plan) { pages_.FollowColumn(plan); }}),
      pages_({*this, services.state, services.uiLog, layout_, sizes_, mainFont_,
              [this](const Win32PageView::PaintStep& draw) { surface_.Redraw(draw); }}),
      listener_(services.hid, services.state),
      worker_(services.hid, services.host, services.state.link, kMsgDeviceJobReports),
      assignment_({*this, services.state, services.host, services.ini, services.uiLog, layout_,
                   skinFolder_, mainFont_,
                   [this](const AssignmentPage::PaintStep& draw) { surface_.Redraw(draw); }}) {
  controller_.takeReloadOnOpen = [this] { return flows_.TakeReloadOnOpen(); };
  controller_.reloadFiles = [this] {
    files_.LoadCaptions();
    files_.LoadConfiguration();
  };
  flows_.RunJobsOn(worker_);
  controller_.RunJobsOn(worker_);
  flows_.onApplyEnd = [this](const DeviceJobResult& result) { OnApplyEnd(result); };
  worker_.onProgress = [this](unsigned percent) { ShowApplyProgress(percent); };
  worker_.onMouseEvent = [this](std::uint8_t code, std::uint8_t value) {
    controller_.OnDeviceEvent(code, value);
  };
}

CHidMouseDlg::~CHidMouseDlg() {
  if (instanceMutex_ != nullptr) CloseHandle(instanceMutex_);
  if (mainFont_ != nullptr) DeleteObject(mainFont_);
  if (smallFont_ != nullptr) DeleteObject(smallFont_);
}

bool CHidMouseDlg::Initialise() {
  // One instance: a second one ends at once, before showing anything.
  instanceMutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (instanceMutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    services_.uiLog.Line(L"second-instance");
    ExitProcess(0);
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (icon_ == nullptr) icon_ = LoadIconW(nullptr, IDI_APPLICATION);

  WndCreateArgs args;
  args.className = kMainWindowClass;
  args.dialogClassAttributes = true;
  args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  // A tool window has no taskbar button.
  args.exStyle = WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES;
  args.width = kDefaultWidth;
  args.height = kDefaultHeight;
  args.x = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
  args.y = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  args.icon = icon_;
  if (!Create(args)) return false;
  ownerHost_.SetOwner(hwnd());
  worker_.SetWindow(hwnd());
  // Big and small icon.
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

  if (StartDeviceLink()) {
    // The first page while the mouse is connected.
    if (services_.state.connectedFlag == 1) {
      FullDraw();
      controller_.SetFirstPageBuilt();
    }
    // The notification-area icon with the tip text.
    tray_.Add(hwnd(), icon_, kMsgTrayIcon, services_.state.texts[slot::kTitle]);
    LoadAutoProfiles();
  }
  ShowMainWindow();
  return true;
}

DiscoveryHooks CHidMouseDlg::Hooks() {
  DiscoveryHooks hooks;
  hooks.wakeListener = [this] { listener_.Wake(); };
  hooks.debugLine = &WriteDebuggerLine;
  return hooks;
}

bool CHidMouseDlg::StartDeviceLink() {
  AppState& state = services_.state;
  // Find the mouse and connect.
  if (Discover(services_.hid, state, Hooks())) {
    state.connectedFlag = 1;
    ConnectToMouse(worker_, state);
  } else {
    state.connectedFlag = 0;
  }
  // The listener's wake event.
  if (!listener_.CreateWakeEvent()) {
    ShowStartupFailure(services_.host, StartupFailure::WakeEvent);
    return false;
  }
  // The listener thread, running only while the mouse is connected.
  const bool threadMade = listener_.CreateSuspended(
      // Through the worker's reports: after every job end reported before it.
      [this](std::uint8_t code, std::uint8_t value) { worker_.OnMouseEvent(code, value); });
  if (threadMade && state.connectedFlag == 1) ResumeListener();
  // Hot-plug notifications.
  deviceChange_ = std::make_unique<DeviceChangeHandler>(
      services_.hid, services_.host, state, Hooks(), *this,
      // On the worker like every sequence; the link the handler offers is not used.
      [this, &state](CommandLink&) { ConnectToMouse(worker_, state); });
  if (!RegisterHidInterfaceNotifications(hwnd())) {
    ShowStartupFailure(services_.host, StartupFailure::DeviceNotifications);
    return false;
  }
  // The configuration.
  files_.LoadConfiguration();
  state.savedRecord = state.record;
  // The language, chosen once by the caption file's code.
  state.UseLanguage(files_.ReadLanguageCode());
  // The captions and skin values.
  files_.LoadCaptions();
  // The skin folder and the window's size from its background; the shipped skin when the
  // caption file names none that can be drawn.
  const skin::SkinChoice skin = skin::ChooseSkinFolder(state.programPath, state.skin.path);
  skinFolder_ = skin.folder;
  surface_.Create();
  // The skin's text colour, unless the caption file lacks it.
  const std::optional<Rgb> colour = SkinTextColour(state.skin);
  if (colour) state.textColour = *colour;
  if (skin.damaged) {
    const std::wstring line = L"skin background cannot be drawn, the shipped skin is used";
    WriteDebuggerLine(line + L": " + skin::SkinFolder(state.programPath, state.skin.path).Wide() +
                      skin::kMain);
    services_.uiLog.Line(line);
  }
  const bool lacksSkin = skin.fellBack && !skin.damaged;
  if (lacksSkin || !colour) {
    const std::wstring line =
        std::wstring(L"caption file lacks ") +
        (lacksSkin ? (colour ? L"a skin" : L"a skin and the text colour") : L"the text colour");
    WriteDebuggerLine(line + L": " + state.files.captionFile.Wide());
    services_.uiLog.Line(line);
  }
  // The fonts.
  CreateFonts();
  return true;
}

void CHidMouseDlg::CreateFonts() {
  // The main window's fonts use the ANSI character set, as the dialogs' do not.
  const Language language = services_.state.texts.language();
  mainFont_ = CreateFontFor(FontUse::MainWindow, language, ANSI_CHARSET);
  smallFont_ = CreateFontFor(FontUse::MainSmall, language, ANSI_CHARSET);
}

void CHidMouseDlg::SendDeviceEvent(std::uint8_t code, std::uint8_t value) {
  SendMessageW(hwnd(), kMsgDeviceEvent, code, value);
}

void CHidMouseDlg::ReloadConfiguration() {
  files_.LoadConfiguration();
  files_.LoadCaptions();
  controller_.RedrawIfVisible();
}

void CHidMouseDlg::ResumeListener() {
  listener_.Resume();
}

void CHidMouseDlg::OnProfileCommand(unsigned command) {
  if (flows_.applying()) {
    heldProfileCommand_ = command;
    services_.uiLog.Line(L"profile-command-held");
    return;
  }
  if (command == kProfileReload) FollowProfileManager();
  // The file dialogs of Load and Save are modal to this window; the profile manager is held
  // too, so that nothing it does can reach the configuration before the dialog is done.
  CConfigDialog* manager =
      command != kProfileReload && profiles_ && profiles_->open() ? profiles_.get() : nullptr;
  if (manager != nullptr) manager->HoldInput(true);
  const bool reloaded = files_.RunProfileCommand(command);
  if (manager != nullptr) manager->HoldInput(false);
  if (!reloaded) return;
  ClearSelectionAndHover();
  Relayout();
}

void CHidMouseDlg::EndDeviceJobs() {
  if (!worker_.busy()) return;
  worker_.EndJobs();
  // A job ends within one report and its pause.
  worker_.Settle(2000);
}

bool CHidMouseDlg::RefusedWhileApplying(const wchar_t* name) {
  if (!flows_.applying()) return false;
  services_.uiLog.Line(std::wstring(name) + L"-refused");
  return true;
}

void CHidMouseDlg::ShowApplyProgress(unsigned percent) {
  if (!flows_.applying()) return;
  services_.uiLog.Line(L"apply-progress " + std::to_wstring(percent));
  surface_.Redraw([percent](HDC dc, const MainPainter& painter) {
    painter.SaveButton(dc, static_cast<int>(percent));
  });
  const AppState& state = services_.state;
  tray_.SetTip(ApplyProgressTip(state.texts.language(), state.texts[slot::kTitle], percent));
}

void CHidMouseDlg::OnApplyEnd(const DeviceJobResult& result) {
  services_.uiLog.Line(result.busy ? L"apply-busy" : result.ended ? L"apply-ended" : L"apply-done");
  if (result.busy) {
    // Another program (gm900ctl) held the mouse for longer than a Save takes: nothing was sent.
    services_.host.ShowMessage(L"The mouse is busy with another program.", L"Warning",
                               kMbOk | kMbIconWarning);
  }
  if (!flows_.applying()) {
    surface_.Redraw([](HDC dc, const MainPainter& painter) { painter.SaveButton(dc, -1); });
    tray_.SetTip(services_.state.texts[slot::kTitle]);
  }
  if (!applyDoneLines_.empty()) {
    services_.uiLog.Line(applyDoneLines_.front());
    applyDoneLines_.pop_front();
  }
  if (const std::optional<unsigned> command = std::exchange(heldProfileCommand_, std::nullopt)) {
    OnProfileCommand(*command);
  }
}

void CHidMouseDlg::OnVirtualPlug(bool plugged) {
  VirtualMouse* mouse = services_.virtualMouse;
  if (mouse == nullptr) return;
  EndDeviceJobs();
  if (plugged) {
    mouse->Plug();
  } else {
    mouse->Unplug();
  }
  services_.uiLog.Line(plugged ? L"virtual-plug" : L"virtual-unplug");
  deviceChange_->OnVirtualMouse(plugged);
}

void CHidMouseDlg::ShowMainWindow() {
  SetForegroundWindow(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  services_.uiLog.Line(L"window-shown");
}

void CHidMouseDlg::HideMainWindow() {
  ShowWindow(hwnd(), SW_HIDE);
  services_.uiLog.Line(L"window-hidden");
}

bool CHidMouseDlg::IsMainWindowVisible() const {
  return IsWindowVisible(hwnd()) != FALSE;
}

void CHidMouseDlg::ShowBalloon(const std::wstring& text, const std::wstring& title,
                               unsigned timeoutMs) {
  tray_.ShowBalloon(text, title, timeoutMs);
}

void CHidMouseDlg::ShowTrayMenu(const std::wstring& exitText) {
  const AppState& state = services_.state;
  const AutoProfileTexts& texts = AutoProfileTextsFor(state.texts.language());
  const std::vector<std::wstring> names = ReadProfileNames(services_.ini, state.files.profileList);
  const std::optional<std::size_t> current =
      CurrentProfileLine(services_.ini, state.files.profileList, names);
  std::vector<TrayIcon::MenuItem> items;
  for (std::size_t n = 0; n < names.size(); ++n) {
    items.push_back({static_cast<UINT>(kCmdTrayProfile + n), names[n], current == n});
  }
  if (!items.empty()) items.push_back({});
  items.push_back({kCmdTrayAutomatic, texts.automatic, switcher_.Settings().enabled});
  items.push_back({kCmdTrayRules, texts.rulesWindow, false});
  items.push_back({kCmdTrayStartWithWindows, texts.startWithSystem,
                   StartsWithWindows(state.programPath.Wide())});
  items.push_back({});
  items.push_back({kCmdExit, exitText, false});
  tray_.ShowMenu(hwnd(), items);
}

bool CHidMouseDlg::HasUnsavedEdits() const {
  const AppState& state = services_.state;
  return state.record != state.savedRecord;
}

void CHidMouseDlg::ShowAutoBalloon(const std::wstring& text) {
  constexpr unsigned kAutoBalloonMs = 5000;
  tray_.ShowBalloon(text, L"Info", kAutoBalloonMs);
}

bool CHidMouseDlg::UseProfile(std::size_t position, bool byHand) {
  AppState& state = services_.state;
  const std::vector<std::wstring> names = ReadProfileNames(services_.ini, state.files.profileList);
  if (position >= names.size()) return false;
  const std::wstring name = names[position];
  if (byHand) {
    // The Save that sends it would be ignored from a Save's click until 2 s after its end;
    // the profile manager's close writes the profile in use itself.
    if (flows_.saveBusy() || profileManagerOpen()) {
      services_.uiLog.Line(L"profile-choice-busy " + name);
      return false;
    }
    if (HasUnsavedEdits()) {
      services_.uiLog.Line(L"profile-choice-refused " + name);
      ShowAutoBalloon(AutoProfileTextsFor(state.texts.language()).saveFirst);
      return false;
    }
  }
  services_.uiLog.Line((byHand ? L"profile-choice " : L"profile-auto ") + name);
  if (!WriteCurrentProfileName(services_.ini, state.files.profileList, name)) return false;
  files_.LoadConfiguration();
  files_.LoadCaptions();
  state.savedRecord = state.record;
  ClearSelectionAndHover();
  controller_.RedrawIfVisible();
  if (byHand) {
    switcher_.ChosenByHand(name);
    WriteAutoProfiles();
  }
  if (state.connectedFlag == 1) Save();
  return true;
}

void CHidMouseDlg::MouseHoldsProfileInUse() {
  const FilePath& list = services_.state.files.profileList;
  const std::vector<std::wstring> names = ReadProfileNames(services_.ini, list);
  if (const std::optional<std::size_t> current = CurrentProfileLine(services_.ini, list, names)) {
    switcher_.MouseHolds(names[*current]);
  }
}

void CHidMouseDlg::LoadAutoProfiles() {
  AppState& state = services_.state;
  rulesFile_ = ProgramFilePath(state.programPath, kAutoProfilesFileName);
  AutoProfileSettings settings = ReadAutoProfiles(services_.ini, rulesFile_);
  const std::vector<std::wstring> names = ReadProfileNames(services_.ini, state.files.profileList);
  const std::optional<std::size_t> current =
      CurrentProfileLine(services_.ini, state.files.profileList, names);
  // Without a choice by hand on record, the profile in use is the one to come back to.
  if (settings.handProfile.empty() && current) settings.handProfile = names[*current];
  switcher_.SetSettings(settings);
  // The mouse holds what the profile in use last sent.
  if (state.connectedFlag == 1) MouseHoldsProfileInUse();
  watchedConnected_ = state.connectedFlag == 1;
  services_.uiLog.Line(L"autoprofiles-read " + std::to_wstring(settings.rules.size()));
  UpdateForegroundWatch();
}

void CHidMouseDlg::WriteAutoProfiles() {
  const std::vector<std::uint8_t> bytes = AutoProfilesFileBytes(switcher_.Settings());
  const std::error_code error = ReplaceFileContents(rulesFile_, bytes);
  services_.uiLog.Line(error ? L"autoprofiles-write-failed " + std::to_wstring(error.value())
                             : std::wstring(L"autoprofiles-written"));
}

void CHidMouseDlg::UpdateForegroundWatch() {
  if (switcher_.Settings().enabled) {
    SetTimer(hwnd(), kForegroundTimer, kForegroundPollMs, nullptr);
  } else {
    KillTimer(hwnd(), kForegroundTimer);
  }
}

void CHidMouseDlg::OnForegroundTimer() {
  AppState& state = services_.state;
  const bool connected = state.connectedFlag == 1;
  // Whatever the mouse held is unknown after it was pulled out or plugged in again.
  if (connected != watchedConnected_) switcher_.MouseUnplugged();
  watchedConnected_ = connected;
  // A modal dialog over the window (it is disabled) or the profile manager may be editing
  // what a switch would load; so may a mouse that is not there take nothing.
  if (!connected || !IsWindowEnabled(hwnd()) || profileManagerOpen()) return;
  const std::uint64_t now = GetTickCount64();
  if (const std::optional<std::wstring> front = ForegroundProgram()) {
    switcher_.ObserveForeground(now, *front);
  }
  const AutoSwitchDecision decision =
      switcher_.Poll(now, HasUnsavedEdits(), flows_.applying() || flows_.saveBusy());
  const AutoProfileTexts& texts = AutoProfileTextsFor(state.texts.language());
  if (decision.sayWaitingForSave) {
    services_.uiLog.Line(L"profile-auto-waits");
    ShowAutoBalloon(texts.waitingForSave);
  }
  if (!decision.applyProfile) return;
  const std::vector<std::wstring> names = ReadProfileNames(services_.ini, state.files.profileList);
  const auto at = std::find(names.begin(), names.end(), *decision.applyProfile);
  if (at == names.end()) {
    services_.uiLog.Line(L"profile-auto-unknown " + *decision.applyProfile);
    return;
  }
  if (UseProfile(static_cast<std::size_t>(at - names.begin()), false)) {
    ShowAutoBalloon(texts.switchedTo + *decision.applyProfile);
  }
}

void CHidMouseDlg::OnTrayCommand(unsigned id) {
  AppState& state = services_.state;
  if (id >= kCmdTrayProfile && id < kCmdTrayProfile + kMaxProfiles) {
    UseProfile(id - kCmdTrayProfile, true);
  } else if (id == kCmdTrayAutomatic) {
    AutoProfileSettings settings = switcher_.Settings();
    settings.enabled = !settings.enabled;
    switcher_.SetSettings(settings);
    services_.uiLog.Line(settings.enabled ? L"autoprofiles-on" : L"autoprofiles-off");
    WriteAutoProfiles();
    UpdateForegroundWatch();
  } else if (id == kCmdTrayRules) {
    OpenRulesWindow();
  } else if (id == kCmdTrayStartWithWindows) {
    const std::wstring exe = state.programPath.Wide();
    const bool on = !StartsWithWindows(exe);
    const bool done = SetStartWithWindows(on, exe);
    services_.uiLog.Line(std::wstring(on ? L"start-with-windows-on" : L"start-with-windows-off") +
                         (done ? L"" : L" refused"));
  }
}

void CHidMouseDlg::OpenRulesWindow() {
  AppState& state = services_.state;
  services_.uiLog.Line(L"rules-open");
  std::optional<std::vector<ProfileRule>> rules =
      RunRulesWindow(hwnd(), services_.host, state.texts.language(), switcher_.Settings().rules,
                     ReadProfileNames(services_.ini, state.files.profileList));
  if (!rules) {
    services_.uiLog.Line(L"rules-cancel");
    return;
  }
  AutoProfileSettings settings = switcher_.Settings();
  settings.rules = std::move(*rules);
  switcher_.SetSettings(settings);
  services_.uiLog.Line(L"rules-ok " + std::to_wstring(settings.rules.size()));
  WriteAutoProfiles();
  // Read back as the next start reads it.
  LoadAutoProfiles();
}

void CHidMouseDlg::FollowProfileManager() {
  if (!namesBeforeManager_) return;
  AppState& state = services_.state;
  const std::vector<std::wstring> before = std::move(*namesBeforeManager_);
  namesBeforeManager_.reset();
  const std::vector<std::wstring> after = ReadProfileNames(services_.ini, state.files.profileList);
  AutoProfileSettings settings = switcher_.Settings();
  const std::vector<ProfileRule> rulesBefore = settings.rules;
  const std::vector<std::optional<std::size_t>> origins =
      profiles_ ? profiles_->manager().origins() : std::vector<std::optional<std::size_t>>{};
  const std::vector<std::wstring> dropped =
      FollowProfileList(settings.rules, before, after, origins);
  // The profile chosen at the close is a choice by hand.
  const std::optional<std::size_t> current =
      CurrentProfileLine(services_.ini, state.files.profileList, after);
  const std::wstring hand = current ? after[*current] : settings.handProfile;
  bool changed = hand != settings.handProfile || dropped.size() > 0;
  for (std::size_t i = 0; !changed && i < settings.rules.size(); ++i) {
    changed = settings.rules[i].profile != rulesBefore[i].profile;
  }
  settings.handProfile = hand;
  switcher_.SetSettings(settings);
  if (changed) WriteAutoProfiles();
  const AutoProfileTexts& texts = AutoProfileTextsFor(state.texts.language());
  for (const std::wstring& program : dropped) {
    services_.uiLog.Line(L"rule-dropped " + program);
    ShowAutoBalloon(texts.ruleDropped + program);
  }
}

void CHidMouseDlg::FullDraw() {
  AppState& state = services_.state;
  // A configuration never saved by the program gets the default captions.
  if (state.firstRunFlag == 0) {
    ButtonAssignment(state.record, state.labels, state.texts.language()).DefaultLabels();
    files_.SaveCaptions();
  }
  surface_.FullDraw();
}

void CHidMouseDlg::ClearSelectionAndHover() {
  assignment_.ClearSelectionAndHover();
}

void CHidMouseDlg::Reset() {
  services_.uiLog.Line(L"reset");
  const bool connected = services_.state.connectedFlag == 1;
  if (!flows_.ResetAction()) {
    services_.uiLog.Line(L"reset-busy");
  } else if (connected) {
    MouseHoldsProfileInUse();
    applyDoneLines_.push_back(L"reset-done");  // at the end of its APPLY
  } else {
    services_.uiLog.Line(L"reset-done");
  }
}

void CHidMouseDlg::Cancel() {
  services_.uiLog.Line(L"cancel");
  // Refused while the mouse is written: the copy it would return to is the one being sent.
  if (RefusedWhileApplying(L"cancel")) return;
  flows_.CancelAction();
}

void CHidMouseDlg::Save() {
  services_.uiLog.Line(L"save");
  if (flows_.saveBusy()) {
    services_.uiLog.Line(L"save-busy");
    return;
  }
  const bool connected = services_.state.connectedFlag == 1;
  flows_.ApplyAction();
  if (connected) {
    MouseHoldsProfileInUse();
    applyDoneLines_.push_back(L"save-done");  // at the end of its APPLY
  } else {
    services_.uiLog.Line(L"save-done");
  }
}

void CHidMouseDlg::ShowResetLayout() {
  ClearSelectionAndHover();
  surface_.ResetLayout();
}

void CHidMouseDlg::OpenHelp() {
  help_ = std::make_unique<CHelpDialog>(services_.state.texts.language(), shell_, services_.host);
  if (!help_->Open(hwnd(), skinFolder_)) {
    help_.reset();
    return;
  }
  services_.uiLog.Line(L"help-open");
}

void CHidMouseDlg::CloseHelp() {
  help_.reset();
  services_.uiLog.Line(L"help-close");
}

void CHidMouseDlg::Minimise() {
  HideMainWindow();
}

void CHidMouseDlg::CloseProgram() {
  // A job running ends as it would, then its end (the files) is taken; bounded, so that a
  // mouse that stopped answering cannot hold the program.
  worker_.Settle(10000);
  controller_.CloseDevice();
  tray_.Remove();
  services_.uiLog.Line(L"exit");
  ExitProcess(0);
}

void CHidMouseDlg::OpenProfileManager() {
  // Refused while the mouse is written: a profile chosen now would take the Save's files.
  if (RefusedWhileApplying(L"profiles")) return;
  AppState& state = services_.state;
  profiles_.reset();  // the one closed before
  namesBeforeManager_ = ReadProfileNames(services_.ini, state.files.profileList);
  profiles_ =
      std::make_unique<CConfigDialog>(services_.ini, state.files.profileList,
                                      state.texts.language(), state.textColour, services_.uiLog);
  if (!profiles_->Open(hwnd(), skinFolder_)) {
    profiles_.reset();
    namesBeforeManager_.reset();
  }
}

void CHidMouseDlg::OpenMacroManager() {
  // Refused while the mouse is written: macros edited now could not reach the Save running.
  if (RefusedWhileApplying(L"macros")) return;
  AppState& state = services_.state;
  const MacroDialogContext context{
      services_.ini,    state.files.macroFile, skinFolder_,      state.texts.language(),
      state.textColour, state.macroOptions,    &services_.uiLog, nullptr};
  // OK hands back the 19 macro blocks; Cancel leaves the record's macros as they are.
  if (const std::optional<MacroBlocks> blocks = RunMacroManager(hwnd(), context)) {
    state.record.macros = *blocks;
  }
}

void CHidMouseDlg::CloseButtonRowLists(int row) {
  assignment_.CloseRowLists(row);
}

void CHidMouseDlg::OpenButtonMenu(std::size_t button) {
  assignment_.ToggleFunctionList(button);
}

void CHidMouseDlg::DragWindow() {
  // Only while the button is still down: after a dialog that a click opened (the colour
  // dialog) the button is up, and a move loop would take the user's next click.
  if (GetKeyState(VK_LBUTTON) >= 0) return;
  PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(clickX_, clickY_));
}

LRESULT CHidMouseDlg::OnControlColour(UINT message, HDC dc, HWND control) {
  if (HBRUSH brush = controlColours_.Answer(message, dc, control, pages_,
                                            services_.state.textColour, mainFont_)) {
    return reinterpret_cast<LRESULT>(brush);
  }
  return Wnd::OnControlColour(message, dc, control);
}

LRESULT CHidMouseDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT handled = 0;
  if (assignment_.OnMessage(message, wParam, lParam, handled)) return handled;
  switch (message) {
    case kMsgTrayIcon:
      controller_.OnTrayMouse(static_cast<unsigned>(lParam));
      return 0;
    case kMsgDeviceEvent:
      controller_.OnDeviceEvent(static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
      return 0;
    case kMsgDeviceJobReports:
      worker_.TakeReports();
      return 0;
    case WM_DEVICECHANGE: {
      if (!deviceChange_) return TRUE;
      const DeviceChangeMessage change =
          ReadDeviceChangeMessage(static_cast<std::uintptr_t>(wParam), lParam);
      if (change.deviceType == kDbtDevtypDeviceInterface &&
          IsMouseInterfaceName(change.interfaceName)) {
        EndDeviceJobs();
      }
      return deviceChange_->OnDeviceChange(change.event, change.deviceType, change.interfaceName);
    }
    case kMsgProfileCommand:
      OnProfileCommand(static_cast<unsigned>(wParam));
      return 0;
    case kMsgStartUpdater:
      OnStartUpdaterMessage(wParam, services_.state.programPath, NativeProcessorArchitecture(),
                            shell_);
      return 0;
    case kMsgVirtualPlug:
      OnVirtualPlug(wParam != 0);
      return 0;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case kMsgThumbMoved:
      if (lParam == 0) surface_.OnThumbMoved(static_cast<int>(wParam));
      return 0;
    default:
      break;
  }
  return Wnd::OnMessage(message, wParam, lParam);
}

void CHidMouseDlg::OnCommand(int id, int code, HWND) {
  if (id == kCmdExit) CloseProgram();
  if (id >= static_cast<int>(kCmdTrayProfile) && id <= static_cast<int>(kCmdTrayStartWithWindows)) {
    OnTrayCommand(static_cast<unsigned>(id));
    return;
  }
  pages_.OnCommand(id, code);
}

void CHidMouseDlg::OnTimer(UINT_PTR id) {
  if (id == kForegroundTimer) {
    OnForegroundTimer();
    return;
  }
  if (flows_.OnTimer(static_cast<unsigned>(id))) return;
  Wnd::OnTimer(id);
}

void CHidMouseDlg::OnClose() {
  HideMainWindow();
}

LRESULT CHidMouseDlg::OnEraseBackground(HDC dc) {
  // The off-screen picture is the window's face while the mouse is connected.
  if (services_.state.connectedFlag == 1) surface_.PaintBackground(dc);
  return 1;
}

void CHidMouseDlg::OnPaint(HDC dc) {
  if (IsIconic(hwnd())) {
    RECT client;
    GetClientRect(hwnd(), &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
  }
}

void CHidMouseDlg::OnLeftButtonDown(Point p) {
  clickX_ = p.x;
  clickY_ = p.y;
  DispatchMainClick(clickX_, clickY_, layout_, sizes_, *this, pages_.editor());
}

void CHidMouseDlg::OnDestroy() {
  worker_.Settle(10000);
  controller_.CloseDevice();
  tray_.Remove();
}

}  // namespace gm
