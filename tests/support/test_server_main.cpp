// xfer_test_server start|stop FOLDER: the test server's set-up and clean-up, as CTest runs
// them around the server suites.

#include <exception>
#include <iostream>
#include <string>

#include "support/test_server.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::string(argv[1]) != "start" && std::string(argv[1]) != "stop")) {
        std::cerr << "usage: xfer_test_server start|stop FOLDER\n";
        return 2;
    }
    try {
        const xfer::test::TestServer server(argv[2]);
        if (std::string(argv[1]) == "start") {
            // A server left by an interrupted run may hold templates of an older schema.
            server.stop();
            server.start();
            std::cout << "test server running in " << argv[2] << "\n";
        } else {
            server.stop();
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "xfer_test_server: " << e.what() << "\n";
        return 1;
    }
}
