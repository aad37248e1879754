// Identifiers of the test dialog template shared by the framework tests and their probe.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDC_TEST_OWNERDRAW 201
#define IDC_TEST_TEXT 202
