#include "platform/runtime/Registry.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace ambiscan::runtime {
namespace {

FunctionEntry recorder(const std::string& name, int inputs, int outputs, int line,
                       std::vector<std::size_t>* calls) {
    return {name, inputs, outputs, line,
            [calls](CallContext&, int, const std::vector<Value>& args) {
                calls->push_back(args.size());
                return std::vector<Value>{};
            }};
}

TEST(CallFunction, TooManyInputsNamesTheFunctionLineAndCount) {
    std::vector<std::size_t> calls;
    graphics::Graphics g;
    std::ostringstream out, err;
    CallContext context{g, Console{out, err}};
    const FunctionEntry entry = recorder("ambiscan", 6, 0, 18, &calls);
    try {
        callFunction(entry, context, 0, std::vector<Value>(7, std::string("w")));
        FAIL() << "no error raised";
    } catch (const ArityError& error) {
        EXPECT_STREQ(error.what(),
                     "Run-time Error: File: ambiscan Line: 18 Column: 1 The function \"ambiscan\" "
                     "was called with more than the declared number of inputs (6).");
    }
    EXPECT_TRUE(calls.empty());
}

TEST(CallFunction, TooManyOutputsIsCheckedFirst) {
    std::vector<std::size_t> calls;
    graphics::Graphics g;
    std::ostringstream out, err;
    CallContext context{g, Console{out, err}};
    const FunctionEntry entry = recorder("setColourCodes", 0, 1, 1, &calls);
    try {
        callFunction(entry, context, 2, {Matrix::scalar(1)});
        FAIL() << "no error raised";
    } catch (const ArityError& error) {
        EXPECT_STREQ(error.what(),
                     "Run-time Error: File: setColourCodes Line: 1 Column: 1 The function "
                     "\"setColourCodes\" was called with more than the declared number of "
                     "outputs (1).");
    }
}

TEST(CallFunction, AnyNumberOfInputsWhenDeclaredNegative) {
    std::vector<std::size_t> calls;
    graphics::Graphics g;
    std::ostringstream out, err;
    CallContext context{g, Console{out, err}};
    callFunction(recorder("bar", -1, 2, 1, &calls), context, 1, std::vector<Value>(9, Matrix()));
    callFunction(recorder("title", -2, 1, 1, &calls), context, 0, std::vector<Value>(5, Matrix()));
    EXPECT_EQ(calls, (std::vector<std::size_t>{9, 5}));
}

TEST(RunMain, StatusesAndLifecycleOrder) {
    std::vector<std::string> order;
    FunctionRegistry registry;
    std::vector<LifecyclePair> lifecycle = {
        {"a", [&] { order.push_back("init a"); }, [&] { order.push_back("term a"); }},
        {"b", [&] { order.push_back("init b"); }, [&] { order.push_back("term b"); }},
    };
    const FunctionEntry ok{"main", 2, 0, 18, [&](CallContext&, int, const std::vector<Value>&) {
                               order.push_back("main");
                               return std::vector<Value>{};
                           }};
    const FunctionEntry failing{
        "main", 2, 0, 18, [](CallContext&, int, const std::vector<Value>&) -> std::vector<Value> {
            throw RuntimeError("it broke");
        }};
    const char* argv[] = {"prog", "x", "y", "z"};
    std::ostringstream out, err;
    EXPECT_EQ(runMain(3, argv, ok, 0, registry, lifecycle, Console{out, err}), kExitSuccess);
    EXPECT_EQ(order, (std::vector<std::string>{"init a", "init b", "main", "term b", "term a"}));
    EXPECT_EQ(runMain(4, argv, ok, 0, registry, lifecycle, Console{out, err}), kExitArgumentCount);
    EXPECT_EQ(runMain(2, argv, failing, 0, registry, lifecycle, Console{out, err}), kExitRunFailed);
    EXPECT_NE(err.str().find("it broke\n"), std::string::npos);
}

}  // namespace
}  // namespace ambiscan::runtime
