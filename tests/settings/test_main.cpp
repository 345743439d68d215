// Runs every test of this program inside a temporary home, as a safety net
// below the homes the tests make for themselves.
#include <gtest/gtest.h>

#include <memory>

#include "test_home.h"

namespace {

class TemporaryHomeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { home_ = std::make_unique<zeko::settings::testing::TestHome>(); }
    void TearDown() override { home_.reset(); }

  private:
    std::unique_ptr<zeko::settings::testing::TestHome> home_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TemporaryHomeEnvironment);
    return RUN_ALL_TESTS();
}
