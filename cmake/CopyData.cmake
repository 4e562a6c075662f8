# Copies the shipped data files beside the executable.
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION})
