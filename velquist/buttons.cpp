// The Open and Clear buttons of the earlier program.
#include "velquist3/checkpoint.h"
#include "program.h"

namespace velquist {

void open_checkpoint(ProgramState *state, Host *host) {
    std::string path = state->checkpoint_path;
    if (!host->choose_file(&path) || path.find_first_not_of(' ') == std::string::npos) return;

    CheckpointHeader header;
    CheckpointStatus status = search_open_file(state, host, path, &header);
    if (status.error == CheckpointError::CannotOpen) return;
    if (!status.ok()) {
        // A file that is not a checkpoint is not offered for resuming: the check file stays
        // blank, so Start cannot read it, and the status line says what is wrong.
        host->put_string(kFieldStatus, status.message);
        return;
    }
    host->put_string(kFieldSaveFile, path);
    search_counts_take(state, host, header, kStateDisabled);
}

void clear_dialog(ProgramState *state, Host *host) {
    search_clear(state, host, true);
    state->last_cpu_shown = 0;
}

}  // namespace velquist
