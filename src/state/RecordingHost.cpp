#include "RecordingHost.h"

#include <utility>

namespace ql {

void RecordingHost::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    messages.push_back(Message{std::string(text), std::string(title), icon});
    // The event keeps the first line, the message's fixed text; the lines under it say why.
    events.push_back("message: " + std::string(text.substr(0, text.find('\n'))) + " | " +
                     std::string(title));
    if (onShowMessage) onShowMessage();
}

bool RecordingHost::askYesNo(std::string_view text, std::string_view title)
{
    events.push_back("ask: " + std::string(text) + " | " + std::string(title));
    if (yesNoAnswers.empty()) return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

void RecordingHost::pumpEvents()
{
    ++pumpCount;
    takeWaitingInput();
    if (onPumpEvents) onPumpEvents();
}

void RecordingHost::takeWaitingInput()
{
    if (const std::function<void()> input = std::exchange(waitingInput, nullptr)) input();
}

void RecordingHost::setBusyPointer(bool busy)
{
    busyPointer = busy;
    events.push_back(std::string("busy: ") + (busy ? "1" : "0"));
}

void RecordingHost::setCaption(std::string_view text)
{
    caption = text;
    events.push_back("caption: " + caption);
}

void RecordingHost::setClockText(std::string_view text)
{
    clockText = text;
}

void RecordingHost::setRemoteBox(bool checked)
{
    remoteBox = checked;
    events.push_back(std::string("rm box: ") + (checked ? "1" : "0"));
}

void RecordingHost::setAutoBox(bool checked)
{
    autoBox = checked;
    events.push_back(std::string("auto box: ") + (checked ? "1" : "0"));
}

void RecordingHost::setActionEnabled(UiAction action, bool enabled)
{
    actionEnabled[static_cast<int>(action)] = enabled;
    events.push_back("enable " + std::string(uiActionName(action)) + ": " + (enabled ? "1" : "0"));
}

void RecordingHost::setActionChecked(UiAction action, bool checked)
{
    actionChecked[static_cast<int>(action)] = checked;
    events.push_back("check " + std::string(uiActionName(action)) + ": " + (checked ? "1" : "0"));
}

void RecordingHost::openWindow(ToolWindow window)
{
    openWindows.insert(window);
    events.push_back("open " + std::string(toolWindowName(window)));
}

void RecordingHost::closeWindow(ToolWindow window)
{
    openWindows.erase(window);
    events.push_back("close " + std::string(toolWindowName(window)));
}

bool RecordingHost::isWindowOpen(ToolWindow window)
{
    return openWindows.count(window) != 0;
}

void RecordingHost::refreshWindow(ToolWindow window)
{
    events.push_back("refresh " + std::string(toolWindowName(window)));
    if (onRefreshWindow) onRefreshWindow(window);
}

void RecordingHost::setWindowState(ToolWindow window, int windowState)
{
    windowStates[static_cast<int>(window)] = windowState;
    events.push_back("state " + std::string(toolWindowName(window)) + ": " +
                     std::to_string(windowState));
}

WindowPlacement RecordingHost::windowPlacement(ToolWindow window)
{
    return placements[static_cast<int>(window)];
}

PixelRect RecordingHost::windowFrame(ToolWindow window)
{
    return isWindowOpen(window) ? frames[static_cast<int>(window)] : PixelRect{};
}

void RecordingHost::placeWindow(ToolWindow window, const PixelRect& place)
{
    frames[static_cast<int>(window)] = place;
    const auto twips = [](int pixels) { return static_cast<std::int16_t>(pixels * 15); };
    placements[static_cast<int>(window)] = {twips(place.left), twips(place.top), 0,
                                            twips(place.width), twips(place.height)};
    events.push_back("place " + std::string(toolWindowName(window)));
}

void RecordingHost::quit()
{
    quitRequested = true;
    events.push_back("quit");
}

int RecordingHost::countEvents(std::string_view prefix) const
{
    int n = 0;
    for (const auto& e : events)
        if (std::string_view(e).substr(0, prefix.size()) == prefix) ++n;
    return n;
}

void RecordingHost::clear()
{
    events.clear();
    messages.clear();
}

}  // namespace ql
