#pragma once

#include <cstdint>

namespace Engine
{
// A non-owning view of one response table of the bank. Pointing it at a table copies nothing.
class TableRef
{
  public:
    explicit TableRef(int32_t length) : length(length) {}

    int32_t length;
    const double* data = nullptr;
};
} // namespace Engine
