#include "app/send_status_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_font.h"
#include "app/message_ids.h"
#include "fakes/fake_platform.h"
#include "fakes/scripted_port.h"
#include "install/updater.h"
#include "platform/message_box.h"
#include "resource.h"
#include "unit/image/puf_payloads.h"

namespace {

using fakes::DialogAction;
using fakes::FakeDialogWindow;
using platform::mb::kIdNo;
using platform::mb::kIdYes;
namespace mk = platform::mk;

// The virtual times, in milliseconds after the window opened, at which the printer
// is put into update mode, the firmware is sent, and check `n` is made.
constexpr long long kBegin = 50;
constexpr long long kSend = kBegin + 60 * 1000;
constexpr long long CheckAt(int n) {
    return kSend + 5000LL * n;
}

// Replies of the printer to a completion check.
const CString kOld = L"MDL:QZ-70;VER:2.70;";
const CString kNew = L"MDL:QZ-70;VER:2.80;";
const CString kLoader = L"MDL:QZ-70;VER:2.80;MODE:IPL;";
const CString kForeign = L"MDL:XY-10;VER:2.80;";
const CString kNoModel = L"VER:2.80;";

std::deque<std::optional<CString>> Repeat(const CString& reply, int times) {
    return std::deque<std::optional<CString>>(static_cast<std::size_t>(times), reply);
}

// A real message box runs its own message loop, which keeps delivering the
// dialog's timer ticks; `whileOpen` lets virtual time pass in the same way.
class QuestionBoxes final : public platform::MessageBoxes {
  public:
    int Show(const CString& text, const CString& caption, unsigned style) override {
        shown.push_back({text, caption, style});
        if (whileOpen) {
            whileOpen();
        }
        return answer;
    }

    std::vector<fakes::ShownMessage> shown;
    std::function<void()> whileOpen;
    int answer = kIdNo;
};

DialogAction RightDoubleClick(unsigned keys) {
    return [keys](FakeDialogWindow&, platform::CDialog& dialog) {
        dialog.OnRButtonDblClk(keys, 30, 20);
    };
}

DialogAction Until(long long at) {
    return [at](FakeDialogWindow& window, platform::CDialog& dialog) {
        window.AdvanceTime(dialog, at - window.now);
    };
}

// One progress dialog over a test-owned updater holding the build's firmware and
// a printer on 2.70, whose port answers the completion checks from a script.
class Installation : public fakes::FakePlatform<QuestionBoxes> {
  public:
    explicit Installation(std::deque<std::optional<CString>> checks = {}) {
        auto target = std::make_unique<FirmwareTarget>(280, 70168, L"QZ-70");
        auto image = testing_puf::ImageOf(testing_puf::Payload("070168", "2.80", "body"));
        EXPECT_EQ(updater.SetFirmware(target, image), 1);
        checks.push_front(kOld);
        auto scripted = std::make_unique<fakes::ScriptedPort>("P", log, std::move(checks));
        port = scripted.get();
        std::unique_ptr<CPort> offered = std::move(scripted);
        EXPECT_EQ(updater.AttachPrinter(offered, -1), ATTACH_ACCEPTED);
        log->clear();
        dialogs.onEnd = [this](platform::CDialog&, FakeDialogWindow& window) { ended = window; };
    }

    int Run(std::vector<DialogAction> script = {}, BOOL iplMode = FALSE) {
        dialogs.Script(IDD_SENDSTATUS, std::move(script));
        CSendStatusDlg dialog(services, updater);
        dialog.m_bIplMode = iplMode;
        return dialog.DoModal();
    }

    // Advances to `at` and notes what the port was asked and what the window showed.
    DialogAction LookAt(long long at) {
        return [this, at](FakeDialogWindow& window, platform::CDialog& dialog) {
            window.AdvanceTime(dialog, at - window.now);
            const auto timer = window.timers.find(1);
            seen[at] = Seen{*log, window.GetItemText(IDC_STATUS_TEXT),
                            timer == window.timers.end() ? 0 : timer->second.period};
        };
    }

    CString Text(unsigned id) const { return strings.Load(id).value(); }
    long Count(const std::string& call) const {
        return std::count(log->begin(), log->end(), "P." + call);
    }
    // The ticks delivered with this period (the gap to the tick before).
    long TicksOfPeriod(long long period) const {
        long count = 0;
        long long before = 0;
        for (const fakes::TimerEvent& tick : ended->ticks) {
            count += tick.at - before == period ? 1 : 0;
            before = tick.at;
        }
        return count;
    }
    long long EndTime() const { return ended->ticks.empty() ? 0 : ended->ticks.back().at; }

    struct Seen {
        fakes::PortLog log;
        CString text;
        unsigned period;
    };

    std::shared_ptr<fakes::PortLog> log = std::make_shared<fakes::PortLog>();
    CUpdater updater;
    fakes::ScriptedPort* port = nullptr;  // owned by the updater
    std::optional<FakeDialogWindow> ended;
    std::map<long long, Seen> seen;
};

const fakes::PortLog kBegun = {"P.BeginUpdate"};
const fakes::PortLog kSent = {"P.BeginUpdate", "P.SendData"};

TEST(SendStatusDlg, UpdateModeThenAMinuteThenTheWholeFirmwareThenAChecksEveryFiveSeconds) {
    Installation installation({kOld, kOld, kNew});
    const int result = installation.Run({
        installation.LookAt(kBegin - 1),
        installation.LookAt(kBegin),
        installation.LookAt(kSend - 1),
        installation.LookAt(kSend),
        installation.LookAt(CheckAt(1) - 1),
        installation.LookAt(CheckAt(1)),
    });
    EXPECT_EQ(result, SENDSTATUS_INSTALLED);

    auto& seen = installation.seen;
    EXPECT_EQ(seen[kBegin - 1].log, fakes::PortLog{});
    EXPECT_EQ(seen[kBegin - 1].period, 50u);
    EXPECT_EQ(seen[kBegin].log, kBegun);
    EXPECT_EQ(seen[kBegin].period, 1000u);
    EXPECT_EQ(seen[kSend - 1].log, kBegun);
    EXPECT_EQ(seen[kSend].log, kSent);
    EXPECT_EQ(seen[kSend].period, 250u);
    EXPECT_EQ(seen[CheckAt(1) - 1].log, kSent);
    EXPECT_EQ(installation.seen[CheckAt(1)].log,
              (fakes::PortLog{"P.BeginUpdate", "P.SendData", "P.GetDeviceId"}));

    // Confirmed at the third check, which closed the port; nothing after it.
    EXPECT_EQ(*installation.log, (fakes::PortLog{"P.BeginUpdate", "P.SendData", "P.GetDeviceId",
                                                 "P.GetDeviceId", "P.GetDeviceId", "P.Close"}));
    EXPECT_EQ(installation.EndTime(), CheckAt(3));
    ASSERT_EQ(installation.ended->ticks.size(), 1u + 60u + 60u);
    EXPECT_EQ(installation.ended->ticks.front().at, kBegin);
    EXPECT_EQ(installation.TicksOfPeriod(1000), 60);
    EXPECT_EQ(installation.TicksOfPeriod(250), 60);
    for (const fakes::TimerEvent& tick : installation.ended->ticks) {
        EXPECT_EQ(tick.id, 1u);
    }

    // The whole payload, header included, in one call that leaves the chunking to
    // the port.
    const CPufImage& image = *installation.updater.m_pImage;
    ASSERT_EQ(installation.port->sent.size(), 1u);
    EXPECT_EQ(installation.port->sent[0].data, image.m_pData.get());
    EXPECT_EQ(installation.port->sent[0].length, image.m_nLength);
    EXPECT_EQ(image.m_nLength, testing_puf::Payload("070168", "2.80", "body").size());
    EXPECT_EQ(installation.port->sent[0].chunkSize, 0u);

    EXPECT_EQ(installation.ended->caption, installation.Text(AFX_IDS_APP_TITLE));
    // The program's one font, whichever test made it first.
    const void* font = GetDialogFont(installation.graphics).Handle();
    EXPECT_EQ(installation.ended->appliedFonts,
              font != nullptr ? std::vector<const void*>{font} : std::vector<const void*>{});
    EXPECT_EQ(installation.ended->waitCursorDepth, 0);
    EXPECT_EQ(installation.ended->waitCursorCalls, 2);
    EXPECT_TRUE(installation.boxes.shown.empty());
}

TEST(SendStatusDlg, CompletionChecksEndWithTheFirstConfirmationAnUnsupportedModelOrThe36th) {
    std::deque<std::optional<CString>> mixed;
    for (int i = 0; i < 10; ++i) {
        for (const std::optional<CString>& reply :
             {std::optional<CString>(kOld), std::optional<CString>(kLoader),
              std::optional<CString>(), std::optional<CString>(kNoModel)}) {
            mixed.push_back(reply);  // 40 failures: only 36 may be asked
        }
    }
    auto confirmedLast = Repeat(kOld, 35);
    confirmedLast.push_back(kNew);
    struct Case {
        const char* label;
        std::deque<std::optional<CString>> checks;
        int result;
        int checksMade;
    };
    const Case cases[] = {
        {"confirmed at the first check", {kNew}, SENDSTATUS_INSTALLED, 1},
        {"confirmed at the 36th check", confirmedLast, SENDSTATUS_INSTALLED, 36},
        {"old version, loader mode, no answer, no model", mixed, SENDSTATUS_NOT_CONFIRMED, 36},
        {"loader mode throughout", Repeat(kLoader, 40), SENDSTATUS_NOT_CONFIRMED, 36},
        {"foreign model at the first check", {kForeign, kNew}, SENDSTATUS_MODEL_REFUSED, 1},
        {"foreign model after two old versions",
         {kOld, kOld, kForeign, kNew},
         SENDSTATUS_MODEL_REFUSED,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Installation installation(c.checks);
        EXPECT_EQ(installation.Run(), c.result);
        EXPECT_EQ(installation.Count("GetDeviceId"), c.checksMade);
        EXPECT_EQ(installation.Count("SendData"), 1);
        EXPECT_EQ(installation.Count("Close"), c.result == SENDSTATUS_INSTALLED ? 1 : 0);
        EXPECT_EQ(installation.EndTime(), CheckAt(c.checksMade));
        EXPECT_EQ(installation.TicksOfPeriod(250), 20 * c.checksMade);
    }
}

TEST(SendStatusDlg, FailingStepsAndTimersEndTheDialogAtOnce) {
    const DialogAction timersFail = [](FakeDialogWindow& window, platform::CDialog&) {
        window.timersAvailable = false;
    };
    struct Case {
        const char* label;
        std::function<void(Installation&)> prepare;
        std::vector<DialogAction> script;
        int result;
        fakes::PortLog log;
        std::optional<long long> endTime;  // of the last tick; nothing without any
    };
    const Case cases[] = {
        {"BeginUpdate fails",
         [](Installation& i) { i.port->beginUpdateResult = FALSE; },
         {},
         SENDSTATUS_SEND_FAILED,
         kBegun,
         kBegin},
        {"SendData fails",
         [](Installation& i) { i.port->sendDataResult = FALSE; },
         {},
         SENDSTATUS_SEND_FAILED,
         kSent,
         kSend},
        {"no port",
         [](Installation& i) {
             i.updater.DetachPrinter();
             i.log->clear();
         },
         {},
         SENDSTATUS_SEND_FAILED,
         {},
         kBegin},
        {"no image",
         [](Installation& i) { i.updater.m_pImage.reset(); },
         {},
         SENDSTATUS_SEND_FAILED,
         {},
         kBegin},
        {"no timer at the start",
         [](Installation& i) {
             i.dialogs.prepareWindow = [](FakeDialogWindow& w) { w.timersAvailable = false; };
         },
         {},
         SENDSTATUS_NO_TIMER,
         {},
         std::nullopt},
        {"no timer after BeginUpdate",
         [](Installation&) {},
         {timersFail},
         SENDSTATUS_NO_TIMER,
         kBegun,
         kBegin},
        {"no timer after SendData",
         [](Installation&) {},
         {Until(kSend - 1), timersFail},
         SENDSTATUS_NO_TIMER,
         kSent,
         kSend},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Installation installation({kNew});
        c.prepare(installation);
        EXPECT_EQ(installation.Run(c.script), c.result);
        EXPECT_EQ(*installation.log, c.log);
        if (c.endTime) {
            EXPECT_EQ(installation.EndTime(), *c.endTime);
        } else {
            EXPECT_TRUE(installation.ended->ticks.empty());
        }
        EXPECT_EQ(installation.ended->waitCursorDepth, 0);
    }
}

TEST(SendStatusDlg, IconTurnsOncePerSecondWhileWaitingAndFourTimesWhilePolling) {
    Installation installation({kOld, kOld, kNew});
    EXPECT_EQ(installation.Run(), SENDSTATUS_INSTALLED);

    // The first frame from the start; none at the tick that begins the update.
    std::vector<std::pair<long long, unsigned>> expected = {{0, IDI_PROGRESS1}};
    for (int tick = 1; tick <= 60; ++tick) {
        expected.emplace_back(kBegin + 1000LL * tick, 0);
    }
    for (int tick = 1; tick <= 60; ++tick) {
        expected.emplace_back(kSend + 250LL * tick, 0);
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i].second = IDI_PROGRESS1 + i % 4;  // 140, 141, 142, 143, 140, ...
    }
    const fakes::FakeControl& icon = installation.ended->Control(IDC_STATUS_ICON);
    EXPECT_EQ(icon.iconChanges, expected);
    EXPECT_EQ(icon.icon->second, 48);
}

TEST(SendStatusDlg, TextsFollowThePhaseAndTheLoaderMode) {
    for (const BOOL iplMode : {FALSE, TRUE}) {
        SCOPED_TRACE(iplMode ? "loader mode" : "normal mode");
        Installation installation({kNew});
        EXPECT_EQ(installation.Run({installation.LookAt(kBegin - 1), installation.LookAt(kBegin),
                                    installation.LookAt(kSend - 1), installation.LookAt(kSend)},
                                   iplMode),
                  SENDSTATUS_INSTALLED);
        EXPECT_EQ(installation.seen[kBegin - 1].text, L"");
        EXPECT_EQ(installation.seen[kBegin].text, installation.Text(IDS_SENDING));
        EXPECT_EQ(installation.seen[kSend - 1].text, installation.Text(IDS_SENDING));
        EXPECT_EQ(installation.seen[kSend].text,
                  installation.Text(iplMode ? IDS_INSTALLING_PANEL : IDS_INSTALLING));
    }
}

TEST(SendStatusDlg, EnterAndEscDoNothing) {
    Installation installation({kOld, kOld, kNew});
    const DialogAction keys[] = {fakes::Press(IDOK), fakes::Press(IDCANCEL)};
    std::vector<DialogAction> script;
    for (const long long at : {0LL, kBegin + 1, kSend - 1, kSend + 1}) {
        script.push_back(Until(at));
        script.insert(script.end(), std::begin(keys), std::end(keys));
    }
    EXPECT_EQ(installation.Run(script), SENDSTATUS_INSTALLED);
    EXPECT_EQ(installation.EndTime(), CheckAt(3));
    EXPECT_TRUE(installation.boxes.shown.empty());
}

TEST(SendStatusDlg, HiddenAbortNeedsLeftButtonCtrlAndShiftAndAYes) {
    const unsigned gesture = mk::kLButton | mk::kControl | mk::kShift;
    struct Case {
        const char* label;
        long long at;
        unsigned keys;
        int answer;
        bool asked;
        int result;
        fakes::PortLog log;  // at the end, when abandoned
    };
    const Case cases[] = {
        {"before the update begins, Yes", 0, gesture, kIdYes, true, SENDSTATUS_ABANDONED, {}},
        {"while waiting, Yes", kBegin + 30000, gesture, kIdYes, true, SENDSTATUS_ABANDONED, kBegun},
        {"while polling, Yes",
         CheckAt(1) + 100,
         gesture | mk::kRButton,
         kIdYes,
         true,
         SENDSTATUS_ABANDONED,
         {"P.BeginUpdate", "P.SendData", "P.GetDeviceId"}},
        {"while waiting, No", kBegin + 30000, gesture, kIdNo, true, SENDSTATUS_INSTALLED, {}},
        {"left button up",
         kBegin + 30000,
         mk::kControl | mk::kShift | mk::kRButton,
         kIdYes,
         false,
         SENDSTATUS_INSTALLED,
         {}},
        {"without Shift",
         kBegin + 30000,
         mk::kLButton | mk::kControl,
         kIdYes,
         false,
         SENDSTATUS_INSTALLED,
         {}},
        {"without Ctrl",
         kBegin + 30000,
         mk::kLButton | mk::kShift,
         kIdYes,
         false,
         SENDSTATUS_INSTALLED,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Installation installation({kOld, kOld, kNew});
        installation.boxes.answer = c.answer;
        EXPECT_EQ(installation.Run({Until(c.at), RightDoubleClick(c.keys)}), c.result);
        if (c.asked) {
            ASSERT_EQ(installation.boxes.shown.size(), 1u);
            EXPECT_EQ(installation.boxes.shown[0].text, installation.Text(IDS_CONFIRM_EXIT));
            EXPECT_EQ(installation.boxes.shown[0].caption, installation.Text(AFX_IDS_APP_TITLE));
            EXPECT_EQ(installation.boxes.shown[0].style,
                      platform::mb::kYesNo | platform::mb::kDefButton2);
        } else {
            EXPECT_TRUE(installation.boxes.shown.empty());
        }
        if (c.result == SENDSTATUS_ABANDONED) {
            EXPECT_EQ(*installation.log, c.log);
        } else {
            // The installation went on as if nothing had happened.
            EXPECT_EQ(installation.Count("SendData"), 1);
            EXPECT_EQ(installation.EndTime(), CheckAt(3));
        }
    }
}

TEST(SendStatusDlg, TimerRunsOnWhileTheAbortQuestionIsOpen) {
    // Open for ten seconds while waiting, answered No: the minute is not restarted.
    {
        Installation installation({kOld, kOld, kNew});
        const long long asked = kBegin + 30000;
        installation.dialogs.onInit = [&installation](platform::CDialog& dialog,
                                                      FakeDialogWindow& window) {
            installation.boxes.whileOpen = [&window, &dialog] {
                window.AdvanceTime(dialog, 10000);
            };
        };
        EXPECT_EQ(installation.Run({Until(asked),
                                    RightDoubleClick(mk::kLButton | mk::kControl | mk::kShift),
                                    installation.LookAt(kSend - 1), installation.LookAt(kSend)}),
                  SENDSTATUS_INSTALLED);
        const auto& ticks = installation.ended->ticks;
        EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(),
                                [&](const fakes::TimerEvent& tick) {
                                    return tick.at > asked && tick.at <= asked + 10000;
                                }),
                  10);
        EXPECT_EQ(installation.seen[kSend - 1].log, kBegun);
        EXPECT_EQ(installation.seen[kSend].log, kSent);
        EXPECT_EQ(installation.EndTime(), CheckAt(3));
    }
    // Confirmed by a check while the question is open: a late Yes does not turn the
    // installed printer into an abandoned installation.
    {
        Installation installation({kOld, kOld, kNew});
        installation.boxes.answer = kIdYes;
        installation.dialogs.onInit = [&installation](platform::CDialog& dialog,
                                                      FakeDialogWindow& window) {
            installation.boxes.whileOpen = [&window, &dialog] {
                window.AdvanceTime(dialog, 10000);
            };
        };
        EXPECT_EQ(installation.Run({Until(CheckAt(2) + 100),
                                    RightDoubleClick(mk::kLButton | mk::kControl | mk::kShift)}),
                  SENDSTATUS_INSTALLED);
        EXPECT_EQ(installation.EndTime(), CheckAt(3));
        EXPECT_EQ(installation.Count("GetDeviceId"), 3);
    }
}

}  // namespace
