#include <gtest/gtest.h>

#include <clocale>

#ifdef KOLT_TEST_GUI
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  TestApp app(argc, argv);
  return RUN_ALL_TESTS();
}
