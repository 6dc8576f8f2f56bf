// A shared object the module tests load by its original-style name "TestModule.dll".
extern "C" __attribute__((visibility("default"))) int TestModuleAnswer()
{
    return 42;
}
