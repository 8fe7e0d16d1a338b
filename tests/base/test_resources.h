#pragma once
#define IDS_TEST_SHORT 201
#define IDS_TEST_EMPTY 202
#define IDS_TEST_LONG 203
