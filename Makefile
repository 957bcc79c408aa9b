# The two commands of the README:
#   make run   sets everything up, builds and starts the editor
#   make test  sets everything up, builds and runs every test
# and make package, which builds the Debian package pivraf_VERSION_ARCH.deb
# into this folder (apt install ./pivraf_*.deb installs it).
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: setup configure build test run package bench clean

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD)/pivraf $(if $(wildcard examples/sample.pvl),examples/sample.pvl,)

package: configure
	@cmake --build $(BUILD) -j $(JOBS) --target pivraf pivraf_installed_files
	@rm -f $(BUILD)/pivraf_*.deb
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/pivraf_*.deb .
	@ls pivraf_*.deb

bench: build
	@for b in $(BUILD)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	@rm -rf $(BUILD)
