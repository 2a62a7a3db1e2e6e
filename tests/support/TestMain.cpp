#include <gtest/gtest.h>

#include "platform/render/Print.hpp"

namespace {

// The font libraries keep caches for the life of the process; releasing them after the last
// test, as the program does at its end, keeps a leak checker's report about our own code.
class RenderResources : public testing::Environment {
  public:
    void TearDown() override { ambiscan::render::releaseRenderResources(); }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new RenderResources);
    return RUN_ALL_TESTS();
}
