// Test entry: the tests run in the "C" locale; the number-text tests switch
// to a decimal-comma locale themselves to prove that it is ignored.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
