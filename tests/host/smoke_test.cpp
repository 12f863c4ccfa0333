#include "support/run_folder.h"

TEST_F(IdeTest, Starts) { EXPECT_EQ(ide->start(), 1); }
