#pragma once

#include <array>
#include <cstddef>

namespace platform {

// Controls of one kind grouped under one name and told apart by index: Command1(0),
// Command1(1), ... The window owns the controls; the array only names them.
template <class Control, std::size_t Count> class ControlArray {
  public:
    Control& operator()(int index) const { return *controls_.at(static_cast<std::size_t>(index)); }
    void set(int index, Control* control)
    {
        controls_.at(static_cast<std::size_t>(index)) = control;
    }
    static constexpr int size() { return static_cast<int>(Count); }

  private:
    std::array<Control*, Count> controls_{};
};

} // namespace platform
