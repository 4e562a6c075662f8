# Copies the shipped data files beside the executable, less the sources of
# the tools that made them.
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION} PATTERN "*.cpp" EXCLUDE)
