// What the whole end-to-end program sets up once: GDI+ for its pictures, the URL recorder as the
// prefix's http handler (so that opened addresses are seen at the shell boundary and no browser
// starts), and the pointer parked away from the program's windows.
#pragma once

#include "RegistryOverride.h"

#include <gtest/gtest.h>

#include <memory>

class E2EEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

private:
    ULONG_PTR m_gdiplus = 0;
    std::unique_ptr<RegistryOverride> m_httpHandler;
};
