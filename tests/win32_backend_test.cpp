#include <gtest/gtest.h>
TEST(Win32Backend, Placeholder) {}
