// String resources of the test program (test_strings.rc).
#pragma once
#define IDS_TEST_SHORT 201
#define IDS_TEST_EMPTY 202
#define IDS_TEST_LONG 203  // 310 characters: "0123456789" repeated
#define IDS_TEST_255 204   // 255 characters: "abc...z" repeated
#define IDS_TEST_511 205   // 511 characters: "ABC...Z" repeated
#define IDS_TEST_MISSING 299
