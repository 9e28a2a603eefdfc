"""dask.dataframe runs calculate_frame on every partition of a table on a real cluster of worker
processes, and the answer is row for row the single-process one."""

import os

import pandas as pd
import pytest

import tarvel
from conftest import SOURCE

distributed = pytest.importorskip("distributed")
dd = pytest.importorskip("dask.dataframe")


def test_map_partitions_on_a_local_cluster_of_two_processes():
    example = pd.read_csv(SOURCE / "docs" / "batch-example.csv", dtype=str, keep_default_na=False)
    table = pd.concat([example] * 500, ignore_index=True)
    expected = tarvel.calculate_frame(table, pressure=101.325)
    # The workers import tarvel as this process does: from the same PYTHONPATH.
    assert "PYTHONPATH" in os.environ or tarvel.__file__.startswith("/usr/")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None, timeout=120) as cluster, \
            distributed.Client(cluster, timeout=120) as client:
        frame = dd.from_pandas(table, npartitions=6)
        answer = frame.map_partitions(tarvel.calculate_frame, pressure=101.325, threads=1)
        result = client.compute(answer).result(timeout=300)
        # Two worker processes, besides this one, each with the module loaded.
        where = client.run(lambda: (os.getpid(), tarvel.__file__))
        assert len({pid for pid, _ in where.values()} - {os.getpid()}) == 2
    pd.testing.assert_frame_equal(result, expected)
