#pragma once
// The mouse wheel and the double click on the video windows, as the settings choose them. Wheel
// function 0 changes the volume on every step; functions 1 (chapters), 2 (scan) and 3 (jumps) run at
// most once per direction in kWheelInterval, so a spin of the wheel is one command.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class TMainActions;

class TMouseFunctions {
public:
    // Milliseconds of a steady clock.
    using Clock = std::function<int64_t()>;
    static constexpr int64_t kWheelInterval = 500;

    // `closing` tells whether the main form closes (the wheel does nothing then); the clock defaults to
    // the system's steady clock.
    TMouseFunctions(TMainActions& actions, std::function<bool()> closing, Clock clock = {});

    void WheelUp() { Wheel(true); }
    void WheelDown() { Wheel(false); }
    // By DoubleClickFunction: 0 brings the player to the front, 1 switches full screen, 2 pauses.
    void RunDoubleClickFunction();

private:
    void Wheel(bool up);
    void Run(std::string_view name);

    TMainActions& actions_;
    std::function<bool()> closing_;
    Clock clock_;
    // The last accepted step of each direction.
    std::optional<int64_t> lastUp_;
    std::optional<int64_t> lastDown_;
};
