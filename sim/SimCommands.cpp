// The simulator's text commands: plug and unplug devices, choose their outcomes, control when
// notifications are delivered, and read the call log and the notes.
#include "SimCommands.h"

#include "SimFormat.h"
#include "SimLibrary.h"

#include <windows.h>

#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr char kHelp[] =
    "plug normal|recovery|dfu [flag...]  -> device id\n"
    "unplug <id>\n"
    "flags <id> [flag...]                (replaces the device's flags)\n"
    "handle <id>                         -> the device's current handle\n"
    "devices                             -> one line per device: id mode handle flags\n"
    "log | notes                         -> the call log | calls that could not apply\n"
    "clear-log                           (the log and the notes)\n"
    "hold on|off                         (held notifications wait for step)\n"
    "step [timeout-ms]                   (delivers the next notification, waits for it)\n"
    "wait-idle [timeout-ms]              (waits until every notification is delivered)\n"
    "delay <ms>                          (from leaving a mode to arriving in the next)\n"
    "burst <id> <count>                  (alternating departures and arrivals)\n"
    "reset                               (forgets devices, queue, log and notes)\n"
                         "unsubscribe                         (forgets the subscribed handlers)\n"
    "pipe                                -> whether the command pipe is served\n"
    "gdi-objects                         -> live GDI objects of the process that loaded us\n"
    "flags: connect-refused not-paired pairing-invalid session-refused wifi\n"
    "       enter-refused reboot-refused autoboot-refused sync-departure";

constexpr int kDefaultTimeoutMs = 10000;

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() &&
               !(line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

constexpr int kNoNumber = -1;

// A non-negative decimal number, else kNoNumber.
int Number(const std::vector<std::string_view>& words, std::size_t index) {
    if (index >= words.size()) {
        return kNoNumber;
    }
    const std::string_view word = words[index];
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < 0) {
        return kNoNumber;
    }
    return value;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) {
            text += '\n';
        }
        text += line;
    }
    return text;
}

std::string Error(std::string_view why) {
    return "error: " + std::string(why);
}

// Parses the flags from words[first] on; names the first unknown word in error.
std::optional<unsigned> Flags(const std::vector<std::string_view>& words, std::size_t first,
                              std::string& error) {
    unsigned flags = 0;
    for (std::size_t i = first; i < words.size(); ++i) {
        const std::optional<unsigned> flag = SimParseFlag(words[i]);
        if (!flag) {
            error = Error("unknown flag " + std::string(words[i]));
            return std::nullopt;
        }
        flags |= *flag;
    }
    return flags;
}

std::optional<SimMode> Mode(std::string_view word) {
    if (word == "normal") {
        return SimMode::Normal;
    }
    if (word == "recovery") {
        return SimMode::Recovery;
    }
    if (word == "dfu") {
        return SimMode::Dfu;
    }
    return std::nullopt;
}

std::chrono::milliseconds Timeout(const std::vector<std::string_view>& words) {
    const int ms = Number(words, 1);
    return std::chrono::milliseconds{ms == kNoNumber ? kDefaultTimeoutMs : ms};
}

// The count a leak check compares: GetGuiResources where it answers; under Wine, which answers 0,
// the occupied slots of the process's GDI handle table (Wine takes a handle's low 16 bits as its
// slot and accepts a handle that carries nothing more).
std::string GdiObjectCount() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count == 0) {
        for (std::uintptr_t slot = 1; slot <= 0xFFFF; ++slot) {
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) {
                ++count;
            }
        }
    }
    return std::to_string(count);
}

} // namespace

std::string ExecuteSimCommand(SimLibrary& sim, std::string_view command) {
    const std::vector<std::string_view> words = Words(command);
    if (words.empty()) {
        return Error("empty command");
    }
    const std::string_view verb = words[0];
    const int id = Number(words, 1);
    const bool hasId = id != kNoNumber;
    std::string error;

    if (verb == "plug") {
        const std::optional<SimMode> mode = words.size() > 1 ? Mode(words[1]) : std::nullopt;
        if (!mode) {
            return Error("plug needs a mode: normal, recovery or dfu");
        }
        const std::optional<unsigned> flags = Flags(words, 2, error);
        return flags ? std::to_string(sim.Plug(*mode, *flags)) : error;
    }
    if (verb == "unplug") {
        return hasId && sim.Unplug(id) ? "ok" : Error("no such device");
    }
    if (verb == "flags") {
        const std::optional<unsigned> flags = Flags(words, 2, error);
        if (!flags) {
            return error;
        }
        return hasId && sim.SetFlags(id, *flags) ? "ok" : Error("no such device");
    }
    if (verb == "handle") {
        const std::optional<void*> handle = hasId ? sim.Handle(id) : std::nullopt;
        return handle ? SimFormatPointer(*handle) : Error("no such device");
    }
    if (verb == "devices") {
        return Lines(sim.Devices());
    }
    if (verb == "log") {
        return Lines(sim.CallLog());
    }
    if (verb == "notes") {
        return Lines(sim.Notes());
    }
    if (verb == "clear-log") {
        sim.ClearLog();
        return "ok";
    }
    if (verb == "hold") {
        if (words.size() != 2 || (words[1] != "on" && words[1] != "off")) {
            return Error("hold on|off");
        }
        sim.SetHold(words[1] == "on");
        return "ok";
    }
    if (verb == "step") {
        return sim.Step(Timeout(words));
    }
    if (verb == "wait-idle") {
        return sim.WaitIdle(Timeout(words)) ? "idle" : Error("notifications still pending");
    }
    if (verb == "delay") {
        if (!hasId) {
            return Error("delay <ms>");
        }
        sim.SetDelay(std::chrono::milliseconds{id});
        return "ok";
    }
    if (verb == "burst") {
        const int count = Number(words, 2);
        return hasId && count != kNoNumber && sim.Burst(id, count)
                   ? "ok"
                   : Error("burst needs a normal-mode device and a count");
    }
    if (verb == "reset") {
        sim.Reset();
        return "ok";
    }
    if (verb == "unsubscribe") {
        sim.Unsubscribe();
        return "ok";
    }
    if (verb == "pipe") {
        return sim.PipeStatus();
    }
    if (verb == "gdi-objects") {
        return GdiObjectCount();
    }
    if (verb == "help") {
        return kHelp;
    }
    return Error("unknown command " + std::string(verb) + " (try help)");
}
