// Expansion of a text in a buffer of a given size, checked to stay inside it:
// canary bytes follow the buffer and must come back untouched.
#ifndef SETUP32_TESTS_SUPPORT_EXPAND_BOUNDED_H
#define SETUP32_TESTS_SUPPORT_EXPAND_BOUNDED_H

#include <gtest/gtest.h>

#include <string>

#include "expand/expand.h"
#include "run/text.h"

struct ExpandResult {
    std::string strText;
    int iCode;  // fnExpandOpts's result
};

// Expands strText with fnExpandOpts in a buffer of cchBuffer characters; a
// failed expectation when it wrote past the buffer.
inline ExpandResult fnExpandBounded(const std::string &strText, size_t cchBuffer = 1024)
{
    const size_t kcchCanary = 16;
    std::string strBuffer(cchBuffer + kcchCanary, 'C');
    fnCopyText(&strBuffer[0], cchBuffer, strText.c_str());
    int iCode = fnExpandOpts(&strBuffer[0], cchBuffer);
    EXPECT_EQ(std::string(kcchCanary, 'C'), strBuffer.substr(cchBuffer)) << "wrote past the buffer for " << strText;
    return {std::string(strBuffer.c_str()), iCode};
}

// The text of a bounded expansion in a script line's buffer.
inline std::string fnExpanded(const std::string &strText)
{
    return fnExpandBounded(strText).strText;
}

#endif
