// xfer_test_server start|stop FOLDER: the test server's set-up and clean-up, as CTest runs
// them around the server suites.

#include <exception>
#include <iostream>
#include <string>

#include "support/test_server.h"

int main(int argc, char** argv) {
    const std::string command = argc == 3 ? argv[1] : "";
    if (command != "start" && command != "stop") {
        std::cerr << "usage: xfer_test_server start|stop FOLDER\n";
        return 2;
    }
    try {
        const xfer::test::TestServer server(argv[2]);
        // Before a start too: a server left by an interrupted run may hold templates of an
        // older schema.
        server.stop();
        if (command == "start") {
            server.start();
            std::cout << "test server running in " << argv[2] << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "xfer_test_server: " << e.what() << "\n";
        return 1;
    }
}
