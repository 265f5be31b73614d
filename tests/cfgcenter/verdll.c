/* A module that only carries a version resource for the tests. */
int krev_version_fixture;
